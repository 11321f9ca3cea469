// The settings panel in the running program, driven by scripted keys and
// pointer: Tab, the graphics column with "Apply", sliders and rebinding.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/front_end.h"
#include "display/display_setup.h"
#include "display/frame.h"
#include "settings/controls.h"
#include "settings/settings.h"
#include "settings/settings_panel.h"
#include "tests/harness.h"

namespace {

using harness::ProgramRun;
constexpr int kTab = 9, kEscape = 27, kLeft = 37, kRight = 39, kBackspace = 8, kZ = 90, kA = 65;
constexpr int kMouseLeft = 1;

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(SettingsPanel, TabOpensInTenFramesAndTabAgainClosesWritingTheFileEachTime) {
  ProgramRun p;
  const std::string setup = p.run.Files() + "Setup.ini";
  std::vector<int> ys;
  int writes = 0;
  p.player.holds = {{kTab, 10, 12}, {kTab, 40, 42}, {kEscape, 70, 72}};
  for (int f = 10; f <= 24; ++f) p.player.actions.push_back({f, [&ys] { ys.push_back(SettingsPanelY); }});
  // Each Tab writes the file: take it away after each, and see it come back.
  for (int f : {12, 42})
    p.player.actions.push_back({f, [&] {
                                  if (plat::FileExists(setup)) ++writes;
                                  plat::DeleteFile(setup);
                                }});
  int openAfterClose = -1, yAfterClose = 0;
  p.player.actions.push_back({65, [&] {
                                openAfterClose = SettingsPanelOpen;
                                yAfterClose = SettingsPanelY;
                              }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(openAfterClose, 0);
  EXPECT_EQ(yAfterClose, -300);
  // Ten frames from -300 to 20, 32 pixels a frame, then it stays.
  const auto first = std::find(ys.begin(), ys.end(), -268);
  ASSERT_NE(first, ys.end());
  const std::vector<int> opening(first, first + std::min<long>(11, ys.end() - first));
  EXPECT_EQ(opening, (std::vector<int>{-268, -236, -204, -172, -140, -108, -76, -44, -12, 20, 20}));
}

TEST(SettingsPanel, NoStartInputStartsAGameWhileItIsOpen) {
  ProgramRun p;
  p.player.holds = {{kTab, 10, 12}, {kZ, 30, 40}, {kEscape, 60, 62}};
  uint32_t startedAt = 1;
  p.player.actions.push_back({50, [&] { startedAt = GameStartTime; }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(startedAt, 0u) << "no game was started";
}

TEST(SettingsPanel, ResolutionStepsThroughTheModesAndWrapsBothWays) {
  ProgramRun p;
  p.run.mode.modes = {{800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 720, 32, 60}};
  std::vector<std::pair<int, int>> seen;
  auto record = [&] { seen.push_back({Settings.ResolutionIndex, Settings.Width}); };
  p.player.holds = {{kTab, 10, 12}, {kLeft, 30, 32}, {kLeft, 40, 42}, {kRight, 50, 52}, {kRight, 60, 62},
                    {kEscape, 80, 82}};
  p.player.moves = {{25, {100, 120}}};
  for (int f : {28, 35, 45, 55, 65}) p.player.actions.push_back({f, record});
  ASSERT_TRUE(p.Start());
  const std::vector<std::pair<int, int>> want = {{1, 800}, {3, 1280}, {2, 1024}, {3, 1280}, {1, 800}};
  EXPECT_EQ(seen, want);
}

TEST(SettingsPanel, ASelectorStepsTheBackEndFromTheLastToTheFirst) {
  ProgramRun p;
  harness::WriteFile(p.run.Files() + "Setup.ini", "GFX Engine = DX7\r\n");
  int before = -1, after = -1;
  p.player.holds = {{kTab, 10, 12}, {kMouseLeft, 30, 32}, {kEscape, 60, 62}};
  p.player.moves = {{25, {30, 220}}};
  p.player.actions.push_back({28, [&] { before = Settings.GfxEngine; }});
  p.player.actions.push_back({40, [&] { after = Settings.GfxEngine; }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 0);
  EXPECT_TRUE(Has(harness::ReadLines(p.run.Files() + "Setup.ini"), "GFX Engine = OpenGL"));
}

TEST(SettingsPanel, SlidersSnapToTheEnds) {
  ProgramRun p;
  // The master slider's track starts at x = 1280 - 280 - 2 on the 1280 canvas.
  const float left = 998;
  int low = -1, high = -1;
  p.player.holds = {{kTab, 10, 12}, {kMouseLeft, 30, 34}, {kMouseLeft, 50, 54}, {kEscape, 80, 82}};
  p.player.moves = {{25, {left + 4, 98}}, {45, {left + 96, 98}}};
  p.player.actions.push_back({40, [&] { low = Settings.MasterVolume; }});
  p.player.actions.push_back({60, [&] { high = Settings.MasterVolume; }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 100);
}

TEST(SettingsPanel, HoveringAWidgetRebindsItAndTheBindingIsSaved) {
  ProgramRun p;
  // Player 2's action 10 widget: block corner (250, Y + 160), widget at
  // (bx + 190, by + 60), with Y = 20 when open.
  int bound = -1, unbound = -1;
  p.player.holds = {{kTab, 10, 12}, {kA, 30, 32}, {kBackspace, 40, 42}, {kA, 50, 52}, {kTab, 60, 62},
                    {kEscape, 80, 82}};
  p.player.moves = {{25, {464, 264}}};
  p.player.actions.push_back({35, [&] { bound = KeyBindings[30]; }});
  p.player.actions.push_back({45, [&] { unbound = KeyBindings[30]; }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(bound, kA);
  EXPECT_EQ(unbound, 0);
  EXPECT_TRUE(Has(harness::ReadLines(p.run.Files() + "Setup.ini"), "Key=30,65"));
}

TEST(SettingsPanel, ApplyReopensTheDisplayWithTheShownModeAndReloads) {
  ProgramRun p;
  p.run.mode.modes = {{800, 600, 32, 60}, {1024, 768, 32, 60}};
  int openAfter = -1, widthAfter = 0;
  p.player.holds = {{kTab, 10, 12}, {kRight, 30, 32}, {kMouseLeft, 45, 47}, {kEscape, 80, 82}};
  p.player.moves = {{25, {100, 120}}, {38, {26, 288}}};
  p.player.actions.push_back({60, [&] {
                                openAfter = SettingsPanelOpen;
                                widthAfter = DisplayWidth;
                              }});
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(openAfter, 0) << "Apply closes the panel";
  EXPECT_EQ(widthAfter, 1024);
  const auto log = p.run.Log();
  EXPECT_TRUE(Has(log, "\tChanged Graphics Mode ingame."));
  EXPECT_TRUE(Has(log, "\tResolution : 1024x768,0"));
  EXPECT_EQ(std::count(log.begin(), log.end(), "Loading : Common Objects"), 2) << "every asset reloaded";
  EXPECT_TRUE(Has(harness::ReadLines(p.run.Files() + "Setup.ini"), "Width=1024"));
}

}  // namespace
