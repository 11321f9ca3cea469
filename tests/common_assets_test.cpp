// Loading the framework's own assets at each display set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/game_constants.h"
#include "app/program.h"
#include "audio/sfx.h"
#include "display/common_assets.h"
#include "display/debug_log.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "platform/platform.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

TEST(FontChoice, FactorsAndPrimaryFaceByDisplayWidth) {
  struct Case {
    int width;
    float scale, small;
    std::string face;
  };
  const Case cases[] = {{1024, 1, 1, "November"},   {900, 1, 1, "November"},       {899, 1.2f, 1.4f, "November"},
                        {800, 1.2f, 1.4f, "SVBasicManual"}, {640, 1.2f, 1.4f, "SVBasicManual"},
                        {600, 1.2f, 1.4f, "SVBasicManual"}, {512, 1.5f, 2.0f, "SVBasicManual"}};
  for (const Case& c : cases) {
    const FontChoice f = FontChoiceFor(c.width);
    EXPECT_FLOAT_EQ(f.scale, c.scale) << c.width;
    EXPECT_FLOAT_EQ(f.smallScale, c.small) << c.width;
    EXPECT_EQ(f.primary, c.face) << c.width;
  }
}

class CommonAssets : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = harness::MakeProgramFolder();
    mode.enabled = true;
    mode.programFolder = folder;
    ASSERT_TRUE(plat::Init(&mode));
    MakeProgramTables();
    ASSERT_TRUE(plat::OpenDisplay(800, 600, 0, 60));
    plat::ChangeDir(FilesFolder() + GameFolder());
  }
  void TearDown() override { plat::Shutdown(); }
  std::vector<std::string> Load() {
    const std::string path = folder + "Files/Debug.txt";
    OpenDebugLog(path);
    LoadCommonAssets();
    CloseDebugLog();
    return harness::ReadLines(path);
  }
  std::string folder;
  plat::TestMode mode;
};

TEST_F(CommonAssets, LogsOneLineForEachEffectPresent) {
  for (const auto& entry : fs::directory_iterator(folder + "Files/264"))
    if (entry.path().extension() == ".wav" && entry.path().stem() != "002" && entry.path().stem() != "098")
      fs::remove(entry.path());
  const auto log = Load();
  std::vector<std::string> effectLines;
  for (const auto& l : log)
    if (l.rfind("\tSFX(", 0) == 0) effectLines.push_back(l);
  EXPECT_EQ(effectLines, (std::vector<std::string>{"\tSFX(2)", "\tSFX(98)"}));
  for (int n = 1; n <= 200; ++n) EXPECT_EQ(SfxSounds[n] != 0, n == 2 || n == 98) << n;
  EXPECT_EQ(plat::CurrentDir(), FilesFolder() + GameFolder()) << "it ends in the game's folder";
}

TEST_F(CommonAssets, EveryAssetLoadsFromTheBuiltTree) {
  Load();
  for (int slot = 1; slot <= 13; ++slot) EXPECT_NE(FontSlots[slot], 0) << "font slot " << slot;
  for (int set = 0; set < 3; ++set)
    for (int size = 0; size <= 8; ++size) EXPECT_NE(SizedFonts[set * 10 + size], 0);
  EXPECT_EQ(plat::ImageFrames(IconsSmooth), 64);
  EXPECT_EQ(plat::ImageWidth(IconsCrisp), 16);
  EXPECT_EQ(plat::ImageFrames(BadgeImages), 16);
  EXPECT_EQ(plat::ImageWidth(BadgeImages), 64);
  EXPECT_NE(LogoImage, 0);
  EXPECT_NE(SiteLogoImage, 0);
  EXPECT_NE(JingleSound, 0);
  EXPECT_EQ(DisplayOpen, 1);
}

TEST_F(CommonAssets, ASecondLoadKeepsTheJingleAndTheFirstFrameButResizesTheFonts) {
  DisplayWidth = 800;
  Load();
  const int jingleChannel = ChannelSlots[256];
  EXPECT_NE(jingleChannel, 0) << "the first load starts the jingle";
  const int frames = plat::TestFramesPresented();
  EXPECT_EQ(frames, 1) << "the first load shows one backdrop frame";
  plat::SetFont(FontSlots[1]);
  const int heightAt800 = plat::TextHeight("Ag");

  // As "Apply" does: a new display, a wider one, then the reload.
  plat::CloseDisplay();
  ASSERT_TRUE(plat::OpenDisplay(1024, 768, 0, 60));
  DisplayWidth = 1024;
  const auto log = Load();
  EXPECT_EQ(plat::TestFramesPresented(), frames) << "no second backdrop frame";
  EXPECT_EQ(ChannelSlots[256], jingleChannel) << "the jingle is not played again";
  plat::SetFont(FontSlots[1]);
  EXPECT_LT(plat::TextHeight("Ag"), heightAt800) << "slot 1 is 24 x 1.2 at 800 wide, 24 at 1024";
  EXPECT_NE(std::find(log.begin(), log.end(), "\tDefault Fonts"), log.end());
}

}  // namespace
