// Notices stacked in the bottom-left corner and score pop-ups rising where
// points were scored, drawn by the frame end.
#include <gtest/gtest.h>

#include "app/program.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "display/notices.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "tests/harness.h"

namespace {

// Yellow at alpha 0.7 over black, within a step of rounding.
bool YellowBand(uint32_t c) {
  const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return r >= 177 && r <= 180 && g >= 177 && g <= 180 && b == 0;
}

class Notices : public harness::HeadlessDisplay {
 protected:
  // One frame end on a black screen; returns the colour at (x, y).
  uint32_t FrameAndRead(int x, int y) {
    BeginFrame(1);
    EndFrame(0);
    return plat::TestReadPixel(x, y);
  }
};

TEST_F(Notices, StackUpwardTurnDarkAtSixtyAndGoAtOneEighty) {
  ShowNotice("AAAA");
  ShowNotice("BBBB");
  ShowNotice("CCCC");
  // The built-in font is 12 high: bands at 464, 450 and 436 (each 14 higher).
  const int bands[3] = {480 - 16, 480 - 30, 480 - 44};
  BeginFrame(1);
  EndFrame(0);
  for (int y : bands) EXPECT_TRUE(YellowBand(plat::TestReadPixel(31, y + 1))) << "yellow at " << y;
  for (int frame = 2; frame < 60; ++frame) FrameAndRead(0, 0);
  EXPECT_EQ(NoticeList.front().tick, 59);
  EXPECT_TRUE(YellowBand(plat::TestReadPixel(31, bands[0] + 1))) << "still yellow at tick 59";
  FrameAndRead(0, 0);
  for (int y : bands) EXPECT_EQ(plat::TestReadPixel(31, y + 1), 0u) << "dark band at tick 60, " << y;
  while (NoticeList.front().tick < 179) FrameAndRead(0, 0);
  EXPECT_EQ(NoticeList.size(), 3u);
  FrameAndRead(0, 0);
  EXPECT_TRUE(NoticeList.empty()) << "removed after the 180th frame end";
}

TEST_F(Notices, ALaterNoticeDropsToTheBottomWhenTheFirstGoes) {
  ShowNotice("first");
  for (int i = 0; i < 100; ++i) FrameAndRead(0, 0);
  ShowNotice("second");
  FrameAndRead(0, 0);
  // The second is fresh (yellow) one line up.
  EXPECT_TRUE(YellowBand(plat::TestReadPixel(20, 480 - 30 + 1)));
  for (int i = 0; i < 79; ++i) FrameAndRead(0, 0);
  ASSERT_EQ(NoticeList.size(), 1u);
  EXPECT_EQ(NoticeList.front().txt, "second");
  FrameAndRead(0, 0);
  // Now at the bottom line, and dark since its tick passed 60.
  EXPECT_EQ(plat::TestReadPixel(2, 480 - 16 + 1) & 0xFFFFFF, 0u);
  EXPECT_FALSE(YellowBand(plat::TestReadPixel(2, 480 - 30 + 1)));
}

TEST_F(Notices, APopUpAddsItsPointsAtOnceRisesAndFades) {
  CurrentScore = 10;
  AddScorePopup(50, 200, 300, 255, 255, 0);
  EXPECT_EQ(CurrentScore, 60);
  ASSERT_EQ(PopupList.size(), 1u);
  BeginFrame(1);
  EndFrame(0);
  const ore& p = PopupList.front();
  EXPECT_EQ(p.t, 119);
  EXPECT_FLOAT_EQ(p.y, 299.75f);
  // "50" in the built-in font is 16 x 12, centred on (200, 299): it spans
  // x 192-207 and y 293-304, in yellow at alpha 119/120.
  bool inkInside = false, inkOutside = false;
  for (int y = 285; y < 315; ++y)
    for (int x = 185; x < 215; ++x) {
      const uint32_t c = plat::TestReadPixel(x, y);
      const bool inside = x >= 192 && x < 208 && y >= 293 && y < 305;
      if (c == 0) continue;
      (inside ? inkInside : inkOutside) = true;
      EXPECT_EQ(c & 0xFF, 0u) << "yellow has no blue";
    }
  EXPECT_TRUE(inkInside);
  EXPECT_FALSE(inkOutside);
  for (int i = 0; i < 118; ++i) FrameAndRead(0, 0);
  ASSERT_EQ(PopupList.size(), 1u);
  EXPECT_NEAR(PopupList.front().y, 300 - 119 * 0.25f, 1e-3);
  FrameAndRead(0, 0);
  EXPECT_TRUE(PopupList.empty()) << "gone after its 120th frame end";
}

}  // namespace
