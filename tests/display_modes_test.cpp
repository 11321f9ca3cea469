// The mode list offered to the user, the canvas chosen for a display, and
// the display set-up's fallbacks.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "display/debug_log.h"
#include "display/display_setup.h"
#include "display/notices.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "tests/harness.h"

namespace {

TEST(DisplayModes, OnlyFourByThreeAndWideSizesEachOnce) {
  const std::vector<ModeSize> platformModes = {
      {1024, 768}, {1024, 768}, {1280, 1024}, {1366, 768}, {1280, 800}, {800, 600}, {1920, 1080}, {640, 400}, {720, 480}};
  int chosen = -1;
  const std::vector<ModeSize> list = AcceptedModes(platformModes, 1280, 800, &chosen);
  const std::vector<std::pair<int, int>> want = {{1024, 768}, {1366, 768}, {1280, 800}, {800, 600}, {1920, 1080}, {640, 400}};
  ASSERT_EQ(list.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(list[i].width, want[i].first);
    EXPECT_EQ(list[i].height, want[i].second);
  }
  EXPECT_EQ(chosen, 3);
  AcceptedModes(platformModes, 1280, 1024, &chosen);
  EXPECT_EQ(chosen, 0) << "a 5:4 size is never offered, so never chosen";
}

TEST(DisplayModes, CanvasByAspect) {
  struct Case {
    int w, h, canvasW, canvasH, wide;
  };
  const Case cases[] = {{800, 600, 1280, 960, 0},    {1366, 768, 1600, 900, 1}, {1920, 1080, 1600, 900, 1},
                        {1280, 800, 1440, 900, 1},   {1680, 1050, 1440, 900, 1}, {1280, 1024, 1280, 960, 0},
                        {1024, 768, 1280, 960, 0}};
  for (const Case& c : cases) {
    int cw = 0, ch = 0;
    EXPECT_EQ(ChooseCanvas(c.w, c.h, &cw, &ch), c.wide) << c.w << "x" << c.h;
    EXPECT_EQ(cw, c.canvasW);
    EXPECT_EQ(ch, c.canvasH);
  }
}

// ApplyDisplaySettings on a headless display with a made-up mode list.
class DisplaySetUp : public ::testing::Test {
 protected:
  void Start(std::vector<plat::DisplayMode> modes) {
    folder = harness::MakeProgramFolder();
    mode.enabled = true;
    mode.programFolder = folder;
    mode.modes = std::move(modes);
    ASSERT_TRUE(plat::Init(&mode));
    MakeProgramTables();
    plat::ChangeDir(folder + "Files/264/");
  }
  void TearDown() override { plat::Shutdown(); }
  std::vector<std::string> LogOf(std::function<void()> step) {
    const std::string path = folder + "Files/Debug.txt";
    OpenDebugLog(path);
    step();
    CloseDebugLog();
    return harness::ReadLines(path);
  }
  static bool Has(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
  }
  std::string folder;
  plat::TestMode mode;
};
TEST_F(DisplaySetUp, AnUnavailableSizeBecomesTheLastSizeUsedAndIsSavedSo) {
  Start({{1024, 768, 32, 60}, {1366, 768, 32, 60}});
  Settings.Width = 1920;
  Settings.Height = 1080;
  const auto log = LogOf(ApplyDisplaySettings);
  EXPECT_EQ(DisplayWidth, 800);
  EXPECT_EQ(DisplayHeight, 600);
  EXPECT_EQ(Settings.Width, 800);
  EXPECT_EQ(Settings.Height, 600);
  EXPECT_TRUE(Has(log, "\tResolution : 800x600,0"));
  EXPECT_EQ(DisplayModeCount, 2);
  EXPECT_FALSE(plat::FileExists("crash.dat")) << "the marker goes once the set-up is done";

  // A size in the list is taken, with its canvas and position.
  Settings.Width = 1366;
  Settings.Height = 768;
  const auto wide = LogOf(ApplyDisplaySettings);
  EXPECT_EQ(Settings.ResolutionIndex, 2);
  EXPECT_EQ(VirtualWidth, 1600);
  EXPECT_EQ(Settings.Widescreen, 1);
  EXPECT_TRUE(Has(wide, "\tChanged Graphics Mode ingame."));
  EXPECT_TRUE(Has(wide, "\tWidescreen mode!"));
}

TEST_F(DisplaySetUp, ACrashMarkerMovesOpenGLToTheSecondBackEndOnly) {
  Start({{1024, 768, 32, 60}});
  struct Case {
    int engine;
    const char* line;
    int after;
  };
  const Case cases[] = {{0, "\tUsing DirectX 9 Driver", 1}, {1, "\tUsing DirectX 9 Driver", 1}, {2, "\tUsing DirectX 7 Driver", 2}};
  for (const Case& c : cases) {
    ASSERT_TRUE(plat::CreateEmptyFile("crash.dat"));
    Settings.GfxEngine = c.engine;
    const auto log = LogOf(ApplyDisplaySettings);
    EXPECT_TRUE(Has(log, c.line)) << c.engine;
    EXPECT_EQ(Settings.GfxEngine, c.after);
    EXPECT_FALSE(plat::FileExists("crash.dat"));
  }
}

TEST_F(DisplaySetUp, FullScreenTakesTheDeepestDepthOrFallsBackToAWindow) {
  Start({{1024, 768, 16, 60}, {800, 600, 32, 60}, {800, 600, 24, 60}});
  Settings.Fullscreen = 1;
  Settings.Width = 1024;
  Settings.Height = 768;
  auto log = LogOf(ApplyDisplaySettings);
  EXPECT_TRUE(Has(log, "\tResolution : 1024x768,16"));
  Settings.Width = 800;
  Settings.Height = 600;
  log = LogOf(ApplyDisplaySettings);
  EXPECT_TRUE(Has(log, "\tResolution : 800x600,32"));
  EXPECT_TRUE(NoticeList.empty());
}

TEST_F(DisplaySetUp, FullScreenAtNoDepthGivesANoticeAndAWindow) {
  Start({{1024, 768, 8, 60}});
  Settings.Fullscreen = 1;
  Settings.Width = 1024;
  Settings.Height = 768;
  const auto log = LogOf(ApplyDisplaySettings);
  EXPECT_TRUE(Has(log, "\tResolution : 1024x768,0"));
  ASSERT_EQ(NoticeList.size(), 1u);
  EXPECT_EQ(NoticeList.front().txt, "Can't set to fullscreen in this resolution.");
  EXPECT_EQ(Settings.Fullscreen, 1) << "the wish stays for a display that can";
}

}  // namespace
