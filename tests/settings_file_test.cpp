#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <ostream>
#include <string>
#include <vector>

#include "display/debug_log.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/settings.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

bool SameSettings(const SettingsRecord& a, const SettingsRecord& b) {
  return a.Fullscreen == b.Fullscreen && a.Widescreen == b.Widescreen &&
         a.GfxEngine == b.GfxEngine && a.ResolutionIndex == b.ResolutionIndex &&
         a.Width == b.Width && a.Height == b.Height && a.SlowSystem == b.SlowSystem &&
         a.MasterVolume == b.MasterVolume && a.SoundVolume == b.SoundVolume &&
         a.MusicVolume == b.MusicVolume && a.AudioDriverIndex == b.AudioDriverIndex;
}

// Fresh settings and bindings, a private folder, and the log kept there.
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeSettings();
    MakeKeyBindings();
    std::string pattern = (fs::temp_directory_path() / "pogwin-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    OpenDebugLog((dir_ / "Debug.txt").string());
  }
  void TearDown() override {
    CloseDebugLog();
    fs::remove_all(dir_);
  }

  // The log lines written so far; the log starts anew afterwards.
  Lines TakeLog() {
    CloseDebugLog();
    Lines lines;
    std::ifstream in(dir_ / "Debug.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream split(bytes);
    for (std::string line; std::getline(split, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    OpenDebugLog((dir_ / "Debug.txt").string());
    return lines;
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  // The reading path ReadSettings takes, on a file of this folder.
  void ReadFile(const std::string& name, const Lines& drivers) {
    Lines lines;
    ASSERT_TRUE(plat::ReadLines(PathOf(name), lines));
    ApplySettingsLines(lines, drivers);
  }

  fs::path dir_;
};

const Lines kDefaultKeyLines = {"Key=0,38",  "Key=3,37",  "Key=5,39",  "Key=8,40",
                                "Key=10,90", "Key=11,88", "Key=12,67", "Key=13,86"};

Lines DefaultFileLines() {
  Lines lines = {"[Graphics]", "Fullscreen = False", "GFX Engine = OpenGL", "Width=800",
                 "Height=600", "", "[Audio]", "Master = 50", "Sound = 50", "Music = 50",
                 "AudioDriver = A", "; AudioDriver = A", "; AudioDriver = B", "", "[Controls]"};
  lines.insert(lines.end(), kDefaultKeyLines.begin(), kDefaultKeyLines.end());
  return lines;
}

TEST_F(SettingsFileTest, DefaultsWriteTheseLines) {
  EXPECT_EQ(SettingsFileLines({"A", "B"}), DefaultFileLines());
}

TEST_F(SettingsFileTest, FileEndsEveryLineWithCrLfAndNothingAfter) {
  ASSERT_TRUE(WriteSettingsFile(PathOf("Setup.ini"), {"A", "B"}));
  std::string expected;
  for (const std::string& line : DefaultFileLines()) expected += line + "\r\n";
  EXPECT_EQ(ReadBytes("Setup.ini"), expected);
}

TEST_F(SettingsFileTest, WriterLinesFollowTheValues) {
  Settings.Fullscreen = 1;
  Settings.GfxEngine = 2;
  Settings.SlowSystem = 1;
  Settings.Width = 1024;
  Settings.MasterVolume = 0;
  Settings.AudioDriverIndex = 1;
  const Lines lines = SettingsFileLines({"A", "B"});
  const Lines head(lines.begin(), lines.begin() + 7);
  EXPECT_EQ(head, (Lines{"[Graphics]", "Fullscreen = True", "GFX Engine = DX7", "Width=1024",
                         "Height=600",
                         "ESS=1 ; This is a slow system, and things must run a wee bit slower "
                         "for it.  Awww..",
                         ""}));
  EXPECT_EQ(lines[8], "Master = 0");
  EXPECT_EQ(lines[11], "AudioDriver = B");

  Settings.GfxEngine = 1;
  EXPECT_EQ(SettingsFileLines({"A"})[2], "GFX Engine = DX9");
}

TEST_F(SettingsFileTest, ValuesTheWriterCannotNameReadBackAsDefaults) {
  Settings.Fullscreen = 2;
  Settings.GfxEngine = 5;
  Settings.SlowSystem = 2;
  Settings.AudioDriverIndex = 7;  // beyond the list
  const Lines lines = SettingsFileLines({"A", "B"});
  EXPECT_EQ(lines[1], "Width=800");
  EXPECT_EQ(lines[4], "[Audio]");
  EXPECT_EQ(lines[8], "AudioDriver = ");
  MakeSettings();
  ApplySettingsLines(lines, {"A", "B"});
  EXPECT_TRUE(SameSettings(Settings, SettingsRecord{}));
}

// One line's effect on the fields and on the log.
struct LineCase {
  const char* line;
  int SettingsRecord::*field;  // nullptr: no field changes
  int value;
  Lines log;
};

// Test names stay printable: other bytes show as \xNN.
std::string Shown(const std::string& text) {
  static const char* const hex = "0123456789abcdef";
  std::string shown = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127) shown += c;
    else shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
  }
  return shown + '"';
}

void PrintTo(const LineCase& c, std::ostream* os) { *os << Shown(c.line); }

class SettingsLineTest : public SettingsFileTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SettingsLineTest, SetsOnlyItsField) {
  const LineCase& c = GetParam();
  bool named = false;
  ApplySettingsLine(c.line, {"A", "B"}, named);
  SettingsRecord expected;
  if (c.field) expected.*c.field = c.value;
  EXPECT_TRUE(SameSettings(Settings, expected)) << "line \"" << c.line << "\"";
  EXPECT_EQ(TakeLog(), c.log) << "line \"" << c.line << "\"";
  EXPECT_FALSE(named);
  const std::vector<int> bindings = KeyBindings;
  MakeKeyBindings();
  EXPECT_EQ(bindings, KeyBindings) << "line \"" << c.line << "\"";
}

const Lines kFullLog = {"\tSetting to Fullscreen"};
const Lines kEssLog = {"\tAssuming Emergency Slow System values."};
constexpr int kMax = 2147483647;

INSTANTIATE_TEST_SUITE_P(
    Keys, SettingsLineTest,
    ::testing::Values(
        LineCase{"fullscreen=on", &SettingsRecord::Fullscreen, 1, kFullLog},
        LineCase{"  FULLSCREEN = True  ", &SettingsRecord::Fullscreen, 1, kFullLog},
        LineCase{"Fullscreen\t=\tON", &SettingsRecord::Fullscreen, 1, kFullLog},
        // The value is all the text after "=".
        LineCase{"Fullscreen = TRUE ; yes", nullptr, 0, {}},
        LineCase{"Fullscreen = False", nullptr, 0, {}},
        LineCase{"Fullscreen = 1", nullptr, 0, {}},
        LineCase{"Fullscreen", nullptr, 0, {}},
        LineCase{"GfxEngine = dx7", &SettingsRecord::GfxEngine, 2, {"\tDirectX 7 Mode"}},
        LineCase{"GFX Engine = DX9", &SettingsRecord::GfxEngine, 1, {"\tDirectX 9 Mode"}},
        LineCase{"gfx engine=Dx9", &SettingsRecord::GfxEngine, 1, {"\tDirectX 9 Mode"}},
        LineCase{"GFX Engine = OpenGL", nullptr, 0, {}},
        LineCase{"GFX Engine = DX8", nullptr, 0, {}},
        LineCase{"GFX  Engine = DX9", nullptr, 0, {}},
        LineCase{"Width=-1024", &SettingsRecord::Width, 1024, {}},
        LineCase{"Width=1024 ; mine", &SettingsRecord::Width, 1024, {}},
        LineCase{"width = +1280", &SettingsRecord::Width, 1280, {}},
        LineCase{"Width = 1024 = 768", &SettingsRecord::Width, 1024, {}},
        LineCase{"Width=abc", &SettingsRecord::Width, 0, {}},
        LineCase{"Width=- 5", &SettingsRecord::Width, 0, {}},
        LineCase{"Width=", &SettingsRecord::Width, 0, {}},
        // A number key standing alone reads its own name as the value.
        LineCase{"Width", &SettingsRecord::Width, 0, {}},
        LineCase{"Width=99999999999999999999", &SettingsRecord::Width, kMax, {}},
        LineCase{"Width=-2147483648", &SettingsRecord::Width, kMax, {}},
        LineCase{"Height=720", &SettingsRecord::Height, 720, {}},
        LineCase{"Master=150", &SettingsRecord::MasterVolume, 150, {}},
        LineCase{"Master=1.5", &SettingsRecord::MasterVolume, 1, {}},
        LineCase{"SOUND = 7", &SettingsRecord::SoundVolume, 7, {}},
        LineCase{"music=0", &SettingsRecord::MusicVolume, 0, {}},
        LineCase{"ESS=0", &SettingsRecord::SlowSystem, 1, kEssLog},
        LineCase{"ESS", &SettingsRecord::SlowSystem, 1, kEssLog},
        LineCase{" ess = 1 ; slow", &SettingsRecord::SlowSystem, 1, kEssLog},
        LineCase{"; ESS=1", nullptr, 0, {}}, LineCase{"[Graphics]", nullptr, 0, {}},
        LineCase{"=Width", nullptr, 0, {}}, LineCase{"", nullptr, 0, {}},
        LineCase{"Resolution=3", nullptr, 0, {}}, LineCase{"Widescreen=1", nullptr, 0, {}}));

// One "Key" line's effect on the bindings: entry `index` becomes `code`,
// or nothing changes when index is -1.
struct KeyCase {
  const char* line;
  int index, code;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << Shown(c.line); }

class KeyLineTest : public SettingsFileTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyLineTest, BindsOneEntry) {
  const KeyCase& c = GetParam();
  bool named = false;
  ApplySettingsLine(c.line, {}, named);
  const std::vector<int> actual = KeyBindings;
  MakeKeyBindings();
  if (c.index >= 0) KeyBindings[static_cast<size_t>(c.index)] = c.code;
  EXPECT_EQ(actual, KeyBindings) << "line \"" << c.line << "\"";
  EXPECT_TRUE(SameSettings(Settings, SettingsRecord{}));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyLineTest,
    ::testing::Values(KeyCase{"Key=0,65", 0, 65}, KeyCase{"Key=13,32", 13, 32},
                      KeyCase{"Key=100,32", -1, 0}, KeyCase{"Key=99,32", 99, 32},
                      KeyCase{"key = 20 , 301", 20, 301}, KeyCase{"KEY=-5,-38", 5, 38},
                      KeyCase{"Key=10,0", 10, 0},
                      // Without a comma the value is both fields.
                      KeyCase{"Key=7", 7, 7}, KeyCase{"Key=", 0, 0}, KeyCase{"Key", 0, 0},
                      KeyCase{"Key=x,65", 0, 65}, KeyCase{"Key=3,65,66", 3, 65},
                      KeyCase{"Key=99999999999,5", -1, 0}, KeyCase{"Key=2147483648,1", -1, 0},
                      KeyCase{"Key=3,99999999999", 3, kMax}, KeyCase{"; Key=3,1", -1, 0}));

TEST_F(SettingsFileTest, KeyLineWithoutATableDoesNothing) {
  KeyBindings.clear();
  bool named = false;
  ApplySettingsLine("Key=5,65", {}, named);
  EXPECT_TRUE(KeyBindings.empty());
}

struct DriverChoiceCase {
  Lines names;
  int expected;
};

void PrintNames(const Lines& lines, std::ostream* os) {
  for (size_t i = 0; i < lines.size(); ++i) *os << (i ? " | " : "") << lines[i];
}

void PrintTo(const DriverChoiceCase& c, std::ostream* os) { PrintNames(c.names, os); }

class DriverChoiceTest : public ::testing::TestWithParam<DriverChoiceCase> {};

TEST_P(DriverChoiceTest, Chooses) {
  EXPECT_EQ(ChooseAudioDriver(GetParam().names), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriverChoiceTest,
    ::testing::Values(DriverChoiceCase{{"Free A", "Free B Direct", "OpenAL C", "Direct D"}, 3},
                      DriverChoiceCase{{"Free A", "OpenAL C"}, 0},
                      DriverChoiceCase{{"alsa", "openal soft", "FREE x"}, 1},
                      DriverChoiceCase{{"pulseaudio", "alsa", "dummy"}, 0},
                      DriverChoiceCase{{"Direct X", "Free A"}, 0},
                      DriverChoiceCase{{"alsa", "Free A", "DirectSound", "dummy", "directx"}, 4},
                      DriverChoiceCase{{}, 0}));

// Whole files and the driver index they leave.
struct DriverLineCase {
  Lines names, lines;
  int expected;
};

void PrintTo(const DriverLineCase& c, std::ostream* os) {
  PrintNames(c.names, os);
  *os << " with ";
  PrintNames(c.lines, os);
}

class DriverLineTest : public SettingsFileTest,
                       public ::testing::WithParamInterface<DriverLineCase> {};

TEST_P(DriverLineTest, PicksTheIndex) {
  ApplySettingsLines(GetParam().lines, GetParam().names);
  EXPECT_EQ(Settings.AudioDriverIndex, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriverLineTest,
    ::testing::Values(
        // A name that matches nothing still counts as named: no automatic choice.
        DriverLineCase{{"Free A"}, {"AudioDriver = free a"}, 0},
        DriverLineCase{{"alsa", "Free A"}, {"AudioDriver = free a"}, 0},
        DriverLineCase{{"alsa", "Free A"}, {}, 1},
        DriverLineCase{{"alsa", "Free A"}, {"AudioDriver = alsa"}, 0},
        DriverLineCase{{"alsa", "Free A", "Direct D"}, {"audiodriver=Free A"}, 1},
        DriverLineCase{{"A", "B"}, {"AudioDriver = B", "AudioDriver = none"}, 1},
        DriverLineCase{{"A", "B"}, {"AudioDriver = B", "AudioDriver = A"}, 0},
        DriverLineCase{{"A", "A"}, {"AudioDriver = A"}, 1},
        DriverLineCase{{"alsa", "Free A", "Direct D"}, {"; AudioDriver = Free A"}, 2}));

TEST_F(SettingsFileTest, RoundTripKeepsSettingsAndBindings) {
  const Lines drivers = {"alsa", "pulseaudio", "dummy"};
  Settings.Fullscreen = 1;
  Settings.GfxEngine = 1;
  Settings.Width = 1600;
  Settings.Height = 900;
  Settings.SlowSystem = 1;
  Settings.MasterVolume = 0;
  Settings.SoundVolume = 100;
  Settings.MusicVolume = 37;
  Settings.AudioDriverIndex = 2;
  KeyBindings[0] = 0;     // a cleared default
  KeyBindings[10] = 32;
  KeyBindings[20] = 301;  // player 2, joystick 1
  KeyBindings[99] = 254;
  const SettingsRecord saved = Settings;
  const std::vector<int> savedKeys = KeyBindings;
  ASSERT_TRUE(WriteSettingsFile(PathOf("Setup.ini"), drivers));

  MakeSettings();
  MakeKeyBindings();
  ReadFile("Setup.ini", drivers);
  EXPECT_TRUE(SameSettings(Settings, saved));
  EXPECT_EQ(KeyBindings, savedKeys);
}

TEST_F(SettingsFileTest, ClearedDefaultBindingIsWrittenAsZero) {
  KeyBindings[0] = 0;
  KeyBindings[13] = 0;
  const Lines lines = SettingsFileLines({"A"});
  const Lines keys(lines.end() - 8, lines.end());
  EXPECT_EQ(keys, (Lines{"Key=0,0", "Key=3,37", "Key=5,39", "Key=8,40", "Key=10,90", "Key=11,88",
                         "Key=12,67", "Key=13,0"}));
}

TEST_F(SettingsFileTest, WriteIntoMissingFolderFailsQuietly) {
  EXPECT_FALSE(WriteSettingsFile(PathOf("missing/Setup.ini"), {"A"}));
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

TEST_F(SettingsFileTest, WriteReplacesTheOldFile) {
  WriteBytes("Setup.ini", std::string(5000, 'x'));
  ASSERT_TRUE(WriteSettingsFile(PathOf("Setup.ini"), {"A", "B"}));
  Lines lines;
  ASSERT_TRUE(plat::ReadLines(PathOf("Setup.ini"), lines));
  EXPECT_EQ(lines, DefaultFileLines());
}

// Damaged files: the reader neither crashes nor hangs, and what it keeps is sane.
class DamagedFileTest : public SettingsFileTest {
 protected:
  void ExpectSane(const Lines& drivers) {
    for (int v : {Settings.Fullscreen, Settings.GfxEngine, Settings.Width, Settings.Height,
                  Settings.SlowSystem, Settings.MasterVolume, Settings.SoundVolume,
                  Settings.MusicVolume})
      EXPECT_GE(v, 0);
    EXPECT_LE(Settings.Fullscreen, 1);
    EXPECT_LE(Settings.GfxEngine, 2);
    EXPECT_LE(Settings.SlowSystem, 1);
    EXPECT_GE(Settings.AudioDriverIndex, 0);
    EXPECT_LT(Settings.AudioDriverIndex, static_cast<int>(drivers.size()));
    EXPECT_EQ(KeyBindings.size(), 101u);
    EXPECT_EQ(KeyBindings[100], 0);
    for (int code : KeyBindings) EXPECT_GE(code, 0);
  }
};

TEST_F(DamagedFileTest, RandomBytes) {
  std::mt19937 random(264);
  const Lines drivers = {"alsa", "Free A"};
  for (int round = 0; round < 50; ++round) {
    std::string bytes(static_cast<size_t>(random() % 4000), '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xff);
    // Random lines made of the file's own words reach the interesting branches.
    const std::string words[] = {"Width", "KEY", "=", ",", "-", "9", "ESS", "\n", "Fullscreen",
                                 "on", "AudioDriver", "\r", " ", std::string(1, '\0')};
    for (int i = 0; i < 200; ++i) bytes += words[random() % std::size(words)];
    WriteBytes("Setup.ini", bytes);
    MakeSettings();
    MakeKeyBindings();
    ReadFile("Setup.ini", drivers);
    ExpectSane(drivers);
  }
}

TEST_F(DamagedFileTest, NulBytesEndLines) {
  WriteBytes("Setup.ini", std::string("Width=1024\0Height=768\0\0\0Key=0,\0" "65", 33));
  ReadFile("Setup.ini", {"A"});
  EXPECT_EQ(Settings.Width, 1024);
  EXPECT_EQ(Settings.Height, 768);
  EXPECT_EQ(KeyBindings[0], 0);  // "Key=0," reads code 0; "65" alone is no key
  ExpectSane({"A"});
}

TEST_F(DamagedFileTest, MegabyteLines) {
  const std::string digits(1 << 20, '9');
  WriteBytes("Setup.ini", "Width=" + digits + "\nKey=" + digits + ",5\nKey=4," + digits + "\n" +
                              std::string(1 << 20, 'x') + "\nHeight=700\n" +
                              std::string(1 << 20, '='));
  ReadFile("Setup.ini", {"A"});
  EXPECT_EQ(Settings.Width, kMax);
  EXPECT_EQ(Settings.Height, 700);
  EXPECT_EQ(KeyBindings[4], kMax);
  ExpectSane({"A"});
}

TEST_F(DamagedFileTest, NoLineEnds) {
  // A lone CR is dropped, so this is one line and only its first key counts.
  WriteBytes("Setup.ini", "Width=1024\rHeight=768\rFullscreen=on");
  ReadFile("Setup.ini", {"A"});
  EXPECT_EQ(Settings.Width, 1024);
  EXPECT_EQ(Settings.Height, 600);
  EXPECT_EQ(Settings.Fullscreen, 0);
  ExpectSane({"A"});
}

TEST_F(DamagedFileTest, EmptyFile) {
  WriteBytes("Setup.ini", "");
  ReadFile("Setup.ini", {"alsa", "Free A"});
  SettingsRecord expected;
  expected.AudioDriverIndex = 1;
  EXPECT_TRUE(SameSettings(Settings, expected));
}

}  // namespace
