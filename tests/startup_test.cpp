// The program from its entry, headless: start-up, the title loop and the
// closing screen, checked through the log, the files and the exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEscape = 27, kZ = 90;
constexpr uint32_t kClockStart = 100000;   // the virtual clock's first reading

using harness::ProgramRun;

std::vector<std::string> ExpectedLog(const std::vector<int>& effects, bool settingsFile) {
  std::vector<std::string> log = {
      "Orvendal's Tumblestar Engine", "----------------------------", "Week #264",
      "----------------------------", "#264 : Pogwin Zib", "----------------------------", "", "Loading"};
  if (settingsFile) log.push_back("\tReading Setup File");
  for (const char* l : {"Setting Audio Driver", "Set Audio Driver", "", "\tRequested Resolution : 800x600",
                        "\tSetup Loaded", "", "Grabbing Previous Scores", "", "", "-=-=-=-=-=-=-=-=-=-=-=-=-=-",
                        "Applying Graphical Settings", "\tUsing OpenGL Driver", "\tResolution : 800x600,0", "",
                        "Loading : Common Objects", "", "Switching to Default Folder", "", "\tDefault Fonts",
                        "\tDefault Icons", "\tLogos", "\tBadgeGet", "", "Switching to Game Folder", "",
                        "Loading Sound effects"})
    log.push_back(l);
  for (int n : effects) log.push_back("\tSFX(" + std::to_string(n) + ")");
  for (const char* l : {"Sounds loaded", "", "-=-=-=-=-=-=-=-=-=-=-=-=-=-", "Finished Loading", "Closing Up", "",
                        "Bye!", "", "Play again, soon!!"})
    log.push_back(l);
  return log;
}

TEST(Program, StartsLogsWaitsAndEndsOnEscapeThenAKey) {
  ProgramRun p;
  p.player.holds = {{kEscape, 20, 23}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_EQ(p.run.Log(), ExpectedLog({2, 3, 4, 5, 6, 7, 8, 98}, false));
  // Frame 1 is the loading picture; the title reads its first input only
  // after the 2.5 s wait, and not much later.
  ASSERT_GE(p.player.frameTimes.size(), 3u);
  EXPECT_GE(p.player.frameTimes[1], kClockStart + 2500);
  EXPECT_LT(p.player.frameTimes[1], kClockStart + 2600);
  const auto setup = harness::ReadLines(p.run.Files() + "Setup.ini");
  ASSERT_FALSE(setup.empty());
  EXPECT_EQ(setup.front(), "[Graphics]");
  EXPECT_EQ(setup.back(), "Key=13,86");
}

TEST(Program, ReadsItsSettingsFileAtStartUp) {
  ProgramRun p;
  harness::WriteFile(p.run.Files() + "Setup.ini", "[Controls]\r\nKey=10,65\r\nMaster = 70\r\n");
  p.player.holds = {{kEscape, 10, 12}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.Log(), ExpectedLog({2, 3, 4, 5, 6, 7, 8, 98}, true));
  const auto setup = harness::ReadLines(p.run.Files() + "Setup.ini");
  EXPECT_NE(std::find(setup.begin(), setup.end(), "Key=10,65"), setup.end());
  EXPECT_NE(std::find(setup.begin(), setup.end(), "Master = 70"), setup.end());
}

TEST(Program, EscapeStillHeldWhenAGameEndsDoesNotQuit) {
  // Z from frame 10 starts a game in the frame after; the game ends at once
  // while Escape is down, which must not end the program. Releasing Escape
  // and pressing it again does.
  ProgramRun p;
  p.player.holds = {{kZ, 10, 40}, {kEscape, 12, 60}, {kEscape, 80, 83}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_GE(p.player.lastFrame, 81) << "the program ended before the second Escape";
}

TEST(Program, AWindowCloseRequestEndsTheProgramFromTheTitle) {
  ProgramRun p;
  p.player.closeAtFrame = 8;
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_EQ(p.player.lastFrame, 9) << "closed at the frame end that saw the request, plus the farewell";
  EXPECT_TRUE(plat::FileExists(p.run.Files() + "Setup.ini"));
  EXPECT_EQ(p.run.Log().back(), "Play again, soon!!");
}

TEST(Program, AltF4EndsTheProgram) {
  ProgramRun p;
  p.player.holds = {{164, 15, 17}, {115, 15, 17}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_LE(p.player.lastFrame, 18);
}

// Damaged settings files: the program starts, runs and ends as usual, and
// leaves a well-formed file behind.
TEST(Program, SurvivesDamagedSettingsFiles) {
  std::mt19937 rng(7);
  std::string randomBytes(4096, '\0');
  for (char& c : randomBytes) c = static_cast<char>(rng());
  const std::vector<std::pair<std::string, std::string>> files = {
      {"random bytes", randomBytes},
      {"NUL bytes", std::string(512, '\0') + "Width=1024\0Height=768" + std::string(64, '\0')},
      {"a 1 MB line", "Width=" + std::string(1 << 20, '9') + "\r\nKey=" + std::string(1 << 20, '7')},
      {"no line ends", "[Graphics]Fullscreen = TrueWidth=640Height=480Key=0,65"},
      {"a lone key", "Key"},
  };
  for (const auto& [name, bytes] : files) {
    ProgramRun p;
    harness::WriteFile(p.run.Files() + "Setup.ini", bytes);
    p.player.holds = {{kEscape, 10, 12}};
    ASSERT_TRUE(p.Start()) << name;
    EXPECT_EQ(p.run.exitCode, 0) << name;
    const auto setup = harness::ReadLines(p.run.Files() + "Setup.ini");
    ASSERT_FALSE(setup.empty()) << name;
    EXPECT_EQ(setup.front(), "[Graphics]") << name;
  }
}

TEST(Program, WithoutAFilesFolderItRunsAndWritesNothing) {
  ProgramRun p(false);
  p.player.holds = {{kEscape, 10, 12}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_TRUE(fs::is_empty(p.run.folder)) << "nothing is written beside or above the program";
  EXPECT_FALSE(fs::exists(fs::path(p.run.folder).parent_path().parent_path() / "Setup.ini"));
}

TEST(Program, AFailedSettingsWriteKeepsTheOldFileAndAnUnwritableLogIsSkipped) {
  ProgramRun p;
  const std::string old = "Width=1024\r\nHeight=768\r\n";
  harness::WriteFile(p.run.Files() + "Setup.ini", old);
  // A folder where the temporary file and the log would go: neither can be made.
  fs::create_directory(p.run.Files() + "Setup.ini.tmp");
  fs::create_directory(p.run.Files() + "Debug.txt");
  p.player.holds = {{kEscape, 10, 12}};
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_EQ(harness::ReadFile(p.run.Files() + "Setup.ini"), old);
}

}  // namespace
