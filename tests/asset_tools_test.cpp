// The build's asset tools, run as the build runs them: sources in, files
// out, and malformed sources refused with the line at fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>

#include "tests/stored_png.h"

namespace fs = std::filesystem;

namespace {

fs::path RuntimeDir() {
  const char* env = std::getenv("POGWIN_RUNTIME");
  return env ? fs::path(env) : fs::path("bin");
}
fs::path Tool(const char* name) { return RuntimeDir().parent_path() / "tools" / name; }

struct Scratch {
  fs::path dir;
  Scratch() {
    dir = fs::temp_directory_path() /
          ("asset_tools_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~Scratch() { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  // Runs a tool; returns its exit code, with what it printed in `said`.
  int Run(const char* tool, const std::string& args, std::string& said) const {
    const fs::path log = dir / "said.txt";
    const std::string cmd = "\"" + Tool(tool).string() + "\" " + args + " >\"" + log.string() + "\" 2>&1";
    const int status = std::system(cmd.c_str());
    std::ifstream in(log);
    said.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

const char* kPalette = "# test colours\nR ff0000\nG 00ff0080\nB 0000ff\n";

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

// Walks the RIFF chunks, so a wrong size field shows up as a bad read.
std::string ReadWav(const std::string& path, Wav& wav) {
  const std::vector<uint8_t> f = storedpng::ReadBytes(path);
  auto le32 = [&](size_t at) { return uint32_t(f[at] | f[at + 1] << 8 | f[at + 2] << 16 | uint32_t(f[at + 3]) << 24); };
  auto le16 = [&](size_t at) { return uint16_t(f[at] | f[at + 1] << 8); };
  if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
      std::string(f.begin() + 8, f.begin() + 12) != "WAVE") return "not RIFF/WAVE";
  if (le32(4) + 8 != f.size()) return "RIFF size does not match the file";
  for (size_t at = 12; at + 8 <= f.size();) {
    const std::string id(f.begin() + long(at), f.begin() + long(at) + 4);
    const uint32_t len = le32(at + 4);
    if (at + 8 + len > f.size()) return "chunk " + id + " runs past the end";
    if (id == "fmt ") {
      wav.format = le16(at + 8);
      wav.channels = le16(at + 10);
      wav.rate = int(le32(at + 12));
      wav.bits = le16(at + 22);
      if (le32(at + 16) != uint32_t(wav.rate * wav.channels * wav.bits / 8)) return "byte rate wrong";
    } else if (id == "data") {
      for (size_t i = 0; i + 1 < len; i += 2) wav.samples.push_back(int16_t(le16(at + 8 + i)));
    }
    at += 8 + len + (len & 1);
  }
  return wav.format ? "" : "no fmt chunk";
}

}  // namespace

TEST(PixelArt, DrawsCellsWhereTheSheetSaysAtScale) {
  Scratch s;
  s.Write("p.pal", kPalette);
  const std::string src = s.Write("s.txt",
      "palette p.pal\nsheet 2 1 3 2\nscale 2\n# cell 1 only; cell 0 stays clear\ncell 1\nRGB\nB.R\n");
  std::string said;
  ASSERT_EQ(s.Run("pixelart", src + " " + (s.dir / "o.png").string() + " --level 0", said), 0) << said;
  storedpng::Image img;
  ASSERT_EQ(storedpng::Read((s.dir / "o.png").string(), img), "");
  ASSERT_EQ(img.width, 12);
  ASSERT_EQ(img.height, 4);
  auto px = [&](int x, int y) {
    const uint8_t* p = &img.rgba[size_t(y * img.width + x) * 4];
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
  };
  struct Case { int x, y; uint32_t rgba; };
  const Case cases[] = {
      {0, 0, 0x00000000},  {5, 3, 0x00000000},   // cell 0 untouched
      {6, 0, 0xff0000ff},  {7, 1, 0xff0000ff},   // 'R' fills a 2 x 2 block
      {8, 0, 0x00ff0080},                        // alpha kept
      {10, 1, 0x0000ffff}, {6, 2, 0x0000ffff},
      {8, 3, 0x00000000},                        // '.' is clear
      {11, 3, 0xff0000ff},
  };
  for (const Case& c : cases) EXPECT_EQ(px(c.x, c.y), c.rgba) << "at " << c.x << "," << c.y;
}

TEST(PixelArt, RefusesMalformedSourcesNamingTheLine) {
  struct Case {
    const char* name;
    const char* source;
    const char* expect;  // in the message
  };
  const Case cases[] = {
      {"row too wide", "palette p.pal\nsheet 1 1 2 2\ncell 0\nRR\nRRR\n", "s.txt:5:"},
      {"row too narrow", "palette p.pal\nsheet 1 1 2 2\ncell 0\nR\nRR\n", "s.txt:4:"},
      {"missing rows", "palette p.pal\nsheet 1 1 2 2\ncell 0\nRR\n", "s.txt:3:"},
      {"unknown colour", "palette p.pal\nsheet 1 1 2 2\ncell 0\nRR\nRX\n", "'X'"},
      {"cell out of range", "palette p.pal\nsheet 2 1 2 2\ncell 2\nRR\nRR\n", "s.txt:3:"},
      {"cell drawn twice", "palette p.pal\nsheet 2 1 1 1\ncell 1\nR\ncell 1\nB\n", "s.txt:5:"},
      {"cell before sheet", "palette p.pal\ncell 0\nR\n", "s.txt:2:"},
      {"no sheet", "palette p.pal\n", "no sheet"},
      {"bad scale", "sheet 1 1 1 1\nscale 0\n", "s.txt:2:"},
      {"unknown statement", "sheet 1 1 1 1\nsheat 1\n", "s.txt:2:"},
      {"bad palette colour", "palette bad.pal\nsheet 1 1 1 1\n", "bad.pal:2:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch s;
    s.Write("p.pal", kPalette);
    s.Write("bad.pal", "R ff0000\nG 12345\n");
    const std::string src = s.Write("s.txt", c.source);
    std::string said;
    EXPECT_EQ(s.Run("pixelart", src + " " + (s.dir / "o.png").string(), said), 1);
    EXPECT_NE(said.find(c.expect), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(s.dir / "o.png"));
  }
}

TEST(Synth, WavHasTheRecipesLengthPeakAndNoOffset) {
  Scratch s;
  const std::string src = s.Write("r.sfx",
      "rate 22050\nlength 0.5\npeak -6\n"
      "note square t=0 d=0.2 f=300>900 duty=0.25 r=0.1\nnote noise t=0.1 d=0.1 f=4000 r=0.05 v=0.5\n");
  std::string said;
  ASSERT_EQ(s.Run("sfx", src + " " + (s.dir / "o.wav").string(), said), 0) << said;
  Wav wav;
  ASSERT_EQ(ReadWav((s.dir / "o.wav").string(), wav), "");
  EXPECT_EQ(wav.format, 1);
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.rate, 22050);
  EXPECT_EQ(wav.bits, 16);
  ASSERT_EQ(wav.samples.size(), 11025u);
  int peak = 0;
  double sum = 0;
  for (int16_t v : wav.samples) {
    peak = std::max(peak, std::abs(int(v)));
    sum += v;
  }
  EXPECT_NEAR(20 * std::log10(peak / 32767.0), -6.0, 0.05);
  EXPECT_LT(std::fabs(sum / double(wav.samples.size())), 30.0) << "DC offset";
  // Starts and ends silent, so playing it never clicks.
  EXPECT_LT(std::abs(int(wav.samples.front())), 200);
  EXPECT_EQ(wav.samples.back(), 0);
}

TEST(Synth, OggCarriesTheRecipesChannelsAndRate) {
  Scratch s;
  const std::string src = s.Write("r.sfx",
      "channels 2\nrate 44100\nnote triangle d=0.3 f=440 pan=-1\nnote square d=0.3 f=660 pan=1\n");
  std::string said;
  ASSERT_EQ(s.Run("sfx", src + " " + (s.dir / "o.ogg").string(), said), 0) << said;
  const std::vector<uint8_t> f = storedpng::ReadBytes((s.dir / "o.ogg").string());
  ASSERT_GT(f.size(), 100u);
  EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "OggS");
  const std::string id = "\x01vorbis";
  auto at = std::search(f.begin(), f.end(), id.begin(), id.end());
  ASSERT_NE(at, f.end());
  const size_t i = size_t(at - f.begin()) + 7 + 4;  // past the version
  EXPECT_EQ(f[i], 2);
  EXPECT_EQ(uint32_t(f[i + 1] | f[i + 2] << 8 | f[i + 3] << 16 | uint32_t(f[i + 4]) << 24), 44100u);
}

TEST(Synth, RefusesBadRecipesNamingTheLine) {
  struct Case {
    const char* name;
    const char* recipe;
    const char* expect;
  };
  const Case cases[] = {
      {"unknown wave", "note pulse f=440\n", "r.sfx:1:"},
      {"unknown key", "rate 22050\nnote square f=440 q=3\n", "r.sfx:2:"},
      {"not a number", "note square f=abc\n", "r.sfx:1:"},
      {"negative frequency", "note square f=-5\n", "r.sfx:1:"},
      {"duty out of range", "note square duty=1.5\n", "r.sfx:1:"},
      {"feedback that never dies", "echo 0.1 1.2\nnote sine f=440\n", "r.sfx:1:"},
      {"no notes", "rate 22050\n", "no notes"},
      {"silent note", "note sine d=0 r=0\n", "r.sfx:1:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch s;
    const std::string src = s.Write("r.sfx", c.recipe);
    std::string said;
    EXPECT_EQ(s.Run("sfx", src + " " + (s.dir / "o.wav").string(), said), 1);
    EXPECT_NE(said.find(c.expect), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(s.dir / "o.wav"));
  }
}

// What the framework cuts the built pictures into, and plays from the sounds.
TEST(BuiltFiles, HaveTheShapesTheFrameworkCutsThemInto) {
  const fs::path files = RuntimeDir() / "Files";
  struct Pic { const char* file; int minW, maxW, minH, maxH; };
  const Pic pics[] = {
      {"Common/icons.png", 128, 128, 128, 128},
      {"264/badges.png", 256, 256, 256, 256},
      {"Common/logo.png", 256, 400, 32, 200},
      {"Common/Kelpnest.png", 256, 400, 32, 200},
  };
  for (const Pic& p : pics) {
    SCOPED_TRACE(p.file);
    storedpng::Image img;
    ASSERT_EQ(storedpng::Read((files / p.file).string(), img, false), "");
    EXPECT_EQ(img.colourType, 6) << "needs its own alpha";
    EXPECT_GE(img.width, p.minW);
    EXPECT_LE(img.width, p.maxW);
    EXPECT_GE(img.height, p.minH);
    EXPECT_LE(img.height, p.maxH);
  }
  for (const char* n : {"002", "003", "004", "005", "006", "007", "008", "098"}) {
    SCOPED_TRACE(n);
    Wav wav;
    ASSERT_EQ(ReadWav((files / "264" / (std::string(n) + ".wav")).string(), wav), "");
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_GT(wav.samples.size(), size_t(wav.rate) / 50);
    EXPECT_LT(wav.samples.size(), size_t(wav.rate) * 2);
  }
  for (const char* font : {"SVBasicManual.ttf", "November.ttf", "Blue Highway.ttf", "Acknowledge TT BRK.ttf"}) {
    SCOPED_TRACE(font);
    const std::vector<uint8_t> f = storedpng::ReadBytes((files / "Common" / font).string());
    ASSERT_GE(f.size(), 12u);
    EXPECT_EQ(storedpng::Be32(f.data()), 0x00010000u) << "not a TrueType outline font";
  }
}
