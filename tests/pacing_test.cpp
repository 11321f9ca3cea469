// The frame end's rate arithmetic and its pacing, on the virtual clock.
#include <gtest/gtest.h>

#include "app/program.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "tests/harness.h"

namespace {

TEST(Pacing, FpsSmoothing) {
  int fps = 0;
  for (int i = 0; i < 50; ++i) fps = NextFps(fps, 16);
  EXPECT_EQ(fps, 60) << "(62 + 2 x 60) / 3 truncates to 60, so it settles there";
  EXPECT_EQ(NextFps(60, 40), 48);
  EXPECT_EQ(NextFps(60, 0), (1000 + 120) / 3) << "a frame of no time is taken as 1 ms";
}

TEST(Pacing, DeadlineAdvancesAFrameAtATimeAndResetsAfterAStall) {
  EXPECT_DOUBLE_EQ(NextFrameDeadline(1000, 1005), 1000 + 1000.0 / 60);
  EXPECT_DOUBLE_EQ(NextFrameDeadline(1000, 1020), 1000 + 1000.0 / 60) << "a little late: catch up";
  EXPECT_DOUBLE_EQ(NextFrameDeadline(1000, 1100), 1100) << "a whole frame late: start afresh";
  EXPECT_DOUBLE_EQ(NextFrameDeadline(4294967290.0, 5), 5) << "the clock wrapped: no 49-day wait";
}

// Frames whose own work costs `cost` virtual milliseconds, paced by EndFrame.
double AverageFrameMs(int cost, int frames, int* fpsAfter) {
  plat::TestMode mode;
  mode.enabled = true;
  mode.programFolder = harness::MakeTempFolder();
  mode.frameCostMs = 0;
  EXPECT_TRUE(plat::Init(&mode));
  EXPECT_TRUE(plat::OpenDisplay(320, 240, 0, 60));
  MakeProgramTables();
  DebugOverlayOn = 0;
  LastFrameTime = plat::Millis();
  FrameDeadline = LastFrameTime;
  EndFrame(0);
  const uint32_t start = plat::Millis();
  for (int i = 0; i < frames; ++i) {
    BeginFrame(1);
    plat::Sleep(cost);
    EndFrame(0);
  }
  const double average = static_cast<double>(plat::Millis() - start) / frames;
  *fpsAfter = Fps;
  plat::Shutdown();
  return average;
}

TEST(Pacing, HoldsSixtyFramesASecondWhateverTheFrameCosts) {
  for (int cost : {0, 3, 10, 14}) {
    int fps = 0;
    const double ms = AverageFrameMs(cost, 600, &fps);
    EXPECT_NEAR(ms, 1000.0 / 60, 0.1) << "work of " << cost << " ms a frame";
    EXPECT_GE(fps, 59);
    EXPECT_LE(fps, 62);
  }
  int fps = 0;
  EXPECT_NEAR(AverageFrameMs(25, 100, &fps), 26, 1.0) << "a slow frame is not waited for";
}

}  // namespace
