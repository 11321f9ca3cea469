// Loading PNGs into images: every layout a paint program may save decodes to
// the same pixels, black is keyed only where the file has no alpha of its
// own, strips are cut row by row, and a broken file is just handle 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/png_reader.h"
#include "tests/harness.h"

namespace {

class ImageLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = harness::MakeTempFolder();
    plat::TestMode mode;
    mode.enabled = true;
    mode.keepFrames = true;
    mode.programFolder = folder_;
    ASSERT_TRUE(plat::Init(&mode));
    ASSERT_TRUE(plat::OpenDisplay(800, 600, 0, 60));
    plat::SetAutoMidHandle(false);
  }
  void TearDown() override { plat::Shutdown(); }

  std::string Path(const std::string& name) const { return folder_ + name; }

  std::string folder_;
};

uint32_t Argb(int a, int r, int g, int b) {
  return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

int ChannelsOf(int colourType) {
  switch (colourType) {
    case 0: case 3: return 1;
    case 4: return 2;
    case 2: return 3;
    default: return 4;
  }
}

// 8-bit RGBA without interlacing is what SavePng writes; every other layout
// goes through the test writer.
bool WriteFixture(const std::string& path, const plat::TestPng& png) {
  if (png.colourType == 6 && png.bitDepth == 8 && !png.interlaced) {
    std::vector<uint8_t> rgba(png.samples.begin(), png.samples.end());
    return plat::SavePng(path, png.width, png.height, rgba.data(), 6);
  }
  return plat::TestWritePng(path, png);
}

// What a pixel of the file means, by the PNG format's own rules: samples
// scaled to 8 bits (16-bit keeps the high byte), palette looked up, tRNS
// giving alpha.
uint32_t Meaning(const plat::TestPng& png, int x, int y) {
  const int ch = ChannelsOf(png.colourType);
  const uint16_t* s = &png.samples[(size_t(y) * png.width + x) * ch];
  auto to8 = [&](unsigned v) -> int {
    if (png.bitDepth == 16) return int(v >> 8);
    return int(v * 255 / ((1u << png.bitDepth) - 1));
  };
  switch (png.colourType) {
    case 0: {
      const bool clear = !png.tRNS.empty() && s[0] == png.tRNS[0];
      return Argb(clear ? 0 : 255, to8(s[0]), to8(s[0]), to8(s[0]));
    }
    case 2: {
      const bool clear = png.tRNS.size() == 3 && s[0] == png.tRNS[0] && s[1] == png.tRNS[1] &&
                         s[2] == png.tRNS[2];
      return Argb(clear ? 0 : 255, to8(s[0]), to8(s[1]), to8(s[2]));
    }
    case 3: {
      const uint8_t* rgb = &png.palette[size_t(s[0]) * 3];
      const int alpha = s[0] < png.tRNS.size() ? png.tRNS[s[0]] : 255;
      return Argb(alpha, rgb[0], rgb[1], rgb[2]);
    }
    case 4: return Argb(to8(s[1]), to8(s[0]), to8(s[0]), to8(s[0]));
    default: return Argb(to8(s[3]), to8(s[0]), to8(s[1]), to8(s[2]));
  }
}

// 9 x 9 touches every Adam7 pass and leaves a partly filled byte at the end
// of each packed row.
plat::TestPng Pattern(int colourType, int bitDepth, bool interlaced) {
  plat::TestPng png;
  png.width = 9;
  png.height = 9;
  png.colourType = colourType;
  png.bitDepth = bitDepth;
  png.interlaced = interlaced;
  const int ch = ChannelsOf(colourType);
  const unsigned range = bitDepth == 16 ? 65536u : 1u << bitDepth;
  const unsigned entries = colourType == 3 ? (bitDepth == 8 ? 40u : range) : 0u;
  for (int y = 0; y < png.height; ++y)
    for (int x = 0; x < png.width; ++x)
      for (int c = 0; c < ch; ++c) {
        const unsigned v = unsigned(x * 7919 + y * 104729 + c * 1237 + 11);
        png.samples.push_back(uint16_t(entries ? (x + 3 * y + c) % entries : v % range));
      }
  for (unsigned i = 0; i < entries; ++i) {
    png.palette.push_back(uint8_t(i * 37 + 5));
    png.palette.push_back(uint8_t(i * 91 + 1));
    png.palette.push_back(uint8_t(255 - i * 13));
  }
  return png;
}

plat::TestPng WithTrns(plat::TestPng png, std::vector<uint16_t> trns) {
  png.tRNS = std::move(trns);
  return png;
}

// The grey or RGB key taken from a pixel that is in the image.
std::vector<uint16_t> KeyOfPixel(const plat::TestPng& png, int index) {
  const int ch = ChannelsOf(png.colourType);
  return {png.samples.begin() + index * ch, png.samples.begin() + (index + 1) * ch};
}

TEST_F(ImageLoading, EveryLayoutDecodesToTheSamePixels) {
  const plat::TestPng rgb8 = Pattern(2, 8, false);
  const plat::TestPng grey8 = Pattern(0, 8, false);
  const struct {
    const char* name;
    plat::TestPng png;
  } cases[] = {
      {"grey 1-bit", Pattern(0, 1, false)},
      {"grey 2-bit", Pattern(0, 2, false)},
      {"grey 4-bit", Pattern(0, 4, false)},
      {"grey 8-bit", grey8},
      {"grey 16-bit", Pattern(0, 16, false)},
      {"grey 8-bit with a tRNS key", WithTrns(grey8, KeyOfPixel(grey8, 10))},
      {"grey 16-bit with a tRNS key", WithTrns(Pattern(0, 16, false), {uint16_t(11)})},
      {"grey+alpha 8-bit", Pattern(4, 8, false)},
      {"grey+alpha 16-bit", Pattern(4, 16, false)},
      {"RGB 8-bit", rgb8},
      {"RGB 16-bit", Pattern(2, 16, false)},
      {"RGB 8-bit with a tRNS key", WithTrns(rgb8, KeyOfPixel(rgb8, 4))},
      {"RGBA 8-bit", Pattern(6, 8, false)},
      {"RGBA 16-bit", Pattern(6, 16, false)},
      {"palette 1-bit", Pattern(3, 1, false)},
      {"palette 2-bit", Pattern(3, 2, false)},
      {"palette 4-bit with tRNS", WithTrns(Pattern(3, 4, false), {0, 64, 128, 255, 7})},
      {"palette 8-bit with tRNS", WithTrns(Pattern(3, 8, false), {12, 0, 200})},
      {"interlaced grey 2-bit", Pattern(0, 2, true)},
      {"interlaced grey 16-bit", Pattern(0, 16, true)},
      {"interlaced RGB 8-bit", Pattern(2, 8, true)},
      {"interlaced RGBA 8-bit", Pattern(6, 8, true)},
      {"interlaced RGBA 16-bit", Pattern(6, 16, true)},
      {"interlaced palette 4-bit", Pattern(3, 4, true)},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Path("layout" + std::to_string(n++) + ".png");
    ASSERT_TRUE(WriteFixture(path, c.png));
    const int image = plat::LoadImage(path, false, false);
    ASSERT_NE(image, 0);
    ASSERT_EQ(plat::ImageWidth(image), c.png.width);
    ASSERT_EQ(plat::ImageHeight(image), c.png.height);
    ASSERT_EQ(plat::ImageFrames(image), 1);
    int wrong = 0;
    for (int y = 0; y < c.png.height; ++y)
      for (int x = 0; x < c.png.width; ++x)
        if (plat::ReadImagePixel(image, 0, x, y) != Meaning(c.png, x, y) && wrong++ < 3)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                        << plat::ReadImagePixel(image, 0, x, y) << ", the file says "
                        << Meaning(c.png, x, y);
    EXPECT_EQ(wrong, 0);
  }
}

plat::TestPng Row(int colourType, int bitDepth, std::vector<uint16_t> samples,
                  std::vector<uint8_t> palette = {}, std::vector<uint16_t> trns = {}) {
  plat::TestPng png;
  png.colourType = colourType;
  png.bitDepth = bitDepth;
  png.height = 1;
  png.width = int(samples.size()) / ChannelsOf(colourType);
  png.samples = std::move(samples);
  png.palette = std::move(palette);
  png.tRNS = std::move(trns);
  return png;
}

TEST_F(ImageLoading, MaskingKeysPureBlackOnlyInImagesWithoutAlpha) {
  const uint32_t kClear = 0;
  const struct {
    const char* name;
    plat::TestPng png;
    bool masked;
    std::vector<uint32_t> expected;
  } cases[] = {
      {"RGB masked: only (0, 0, 0) is keyed", Row(2, 8, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}), true,
       {kClear, 0xff010000, 0xff000100, 0xff000001}},
      {"RGB unmasked: black stays", Row(2, 8, {0, 0, 0, 1, 0, 0}), false, {0xff000000, 0xff010000}},
      {"grey masked", Row(0, 8, {0, 1, 255}), true, {kClear, 0xff010101, 0xffffffff}},
      {"grey 16-bit masked", Row(0, 16, {0, 0x0100}), true, {kClear, 0xff010101}},
      {"palette masked: a black entry is keyed", Row(3, 8, {0, 1}, {0, 0, 0, 255, 0, 0}), true,
       {kClear, 0xffff0000}},
      {"palette with tRNS keeps its black", Row(3, 8, {0, 1}, {0, 0, 0, 255, 0, 0}, {255, 128}),
       true, {0xff000000, 0x80ff0000}},
      {"RGB with a tRNS key keeps its black", Row(2, 8, {0, 0, 0, 5, 5, 5}, {}, {5, 5, 5}), true,
       {0xff000000, 0x00050505}},
      {"grey+alpha keeps its black", Row(4, 8, {0, 255, 0, 0}), true, {0xff000000, kClear}},
      {"RGBA keeps its black and its alphas",
       Row(6, 8, {0, 0, 0, 255, 0, 0, 0, 0, 10, 20, 30, 128, 1, 0, 0, 255}), true,
       {0xff000000, kClear, 0x800a141e, 0xff010000}},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Path("mask" + std::to_string(n++) + ".png");
    ASSERT_TRUE(WriteFixture(path, c.png));
    const int image = plat::LoadImage(path, c.masked, false);
    ASSERT_NE(image, 0);
    for (size_t x = 0; x < c.expected.size(); ++x)
      EXPECT_EQ(plat::ReadImagePixel(image, 0, int(x), 0), c.expected[x]) << "pixel " << x;
  }
}

TEST_F(ImageLoading, StripsAreCutRowByRowFromTheFirstCell) {
  // A 6 x 4 sheet whose every pixel differs, so a misplaced cell shows.
  plat::TestPng sheet;
  sheet.width = 6;
  sheet.height = 4;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) sheet.samples.insert(sheet.samples.end(), {uint16_t(x * 40), uint16_t(y * 60), 200, 255});
  const std::string path = Path("sheet.png");
  ASSERT_TRUE(WriteFixture(path, sheet));
  auto sheetPixel = [&](int x, int y) { return Argb(255, x * 40, y * 60, 200); };

  const struct {
    const char* name;
    int cellW, cellH, first, count;
    int frames;   // 0: the load fails
  } cases[] = {
      {"every 2 x 2 cell", 2, 2, 0, 6, 6},
      {"from cell 1, across the row end", 2, 2, 1, 4, 4},
      {"more frames asked than the sheet holds", 2, 2, 4, 5, 2},
      {"3 x 2 cells", 3, 2, 0, 4, 4},
      {"one cell the size of the sheet", 6, 4, 0, 1, 1},
      {"leftover columns are not a cell", 4, 4, 1, 1, 0},
      {"first past the last cell", 2, 2, 6, 1, 0},
      {"negative first", 2, 2, -1, 2, 0},
      {"no frames", 2, 2, 0, 0, 0},
      {"zero width", 0, 2, 0, 1, 0},
      {"zero height", 2, 0, 0, 1, 0},
      {"cell wider than the sheet", 7, 2, 0, 1, 0},
      {"cell taller than the sheet", 2, 5, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int image = plat::LoadAnimImage(path, c.cellW, c.cellH, c.first, c.count, false, false);
    if (c.frames == 0) {
      EXPECT_EQ(image, 0);
      continue;
    }
    ASSERT_NE(image, 0);
    EXPECT_EQ(plat::ImageWidth(image), c.cellW);
    EXPECT_EQ(plat::ImageHeight(image), c.cellH);
    ASSERT_EQ(plat::ImageFrames(image), c.frames);
    const int columns = 6 / c.cellW;
    for (int f = 0; f < c.frames; ++f) {
      const int cell = c.first + f;
      const int left = cell % columns * c.cellW, top = cell / columns * c.cellH;
      for (int y = 0; y < c.cellH; ++y)
        for (int x = 0; x < c.cellW; ++x)
          EXPECT_EQ(plat::ReadImagePixel(image, f, x, y), sheetPixel(left + x, top + y))
              << "frame " << f << " pixel (" << x << ", " << y << ")";
      EXPECT_EQ(plat::ReadImagePixel(image, f, c.cellW, 0), 0u) << "outside the cell";
    }
  }
}

std::string Bytes(const std::string& path) { return harness::ReadFile(path); }

uint32_t Crc32(const std::string& bytes, size_t from, size_t length) {
  uint32_t crc = 0xffffffffu;
  for (size_t i = from; i < from + length; ++i) {
    crc ^= uint8_t(bytes[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = char(v >> (24 - 8 * i));
}

// A PNG whose header claims another size, with the header's CRC made right
// so only the size is wrong.
std::string Resized(std::string png, uint32_t width, uint32_t height) {
  // Signature (8), IHDR length and type (8), then width and height.
  Put32(png, 16, width);
  Put32(png, 20, height);
  Put32(png, 29, Crc32(png, 12, 17));
  return png;
}

TEST_F(ImageLoading, AMissingOrBrokenFileGivesHandleZeroAndNothingElse) {
  std::vector<uint8_t> rgba(16 * 16 * 4);
  for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(i * 31 + 7);
  ASSERT_TRUE(plat::SavePng(Path("good.png"), 16, 16, rgba.data(), 0));
  const std::string good = Bytes(Path("good.png"));
  ASSERT_GT(good.size(), 1024u);   // stored, so a cut lands inside the pixel data
  std::string badCrc = good;
  badCrc[17] ^= 0x01;              // the width, under a CRC that no longer matches

  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"missing file", "(never written)"},
      {"empty file", std::string()},
      {"text", "this is not a picture, only words in a file named .png\n"},
      {"signature only", good.substr(0, 8)},
      {"cut after the header", good.substr(0, 33)},
      {"cut inside the pixel data", good.substr(0, good.size() / 2)},
      {"header CRC wrong", badCrc},
      {"claims more rows than its data holds", Resized(good, 16, 32)},
      {"claims 30000 x 30000 pixels", Resized(good, 30000, 30000)},
      {"claims 40000 x 1 pixels", Resized(good, 40000, 1)},
      {"claims 0 x 16 pixels", Resized(good, 0, 16)},
      {"a chunk claims a gigabyte", Resized(good, 16, 16).insert(33, std::string("\x40\0\0\0tEXt", 8))},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Path("bad" + std::to_string(n++) + ".png");
    if (std::string(c.name) != "missing file") harness::WriteFile(path, c.bytes);
    EXPECT_EQ(plat::LoadImage(path, true, false), 0);
    EXPECT_EQ(plat::LoadAnimImage(path, 4, 4, 0, 2, true, false), 0);
  }
  // The failures left no entries behind: the good file takes the first handle.
  EXPECT_EQ(plat::LoadImage(Path("good.png"), true, false), 1);
  EXPECT_EQ(plat::ReadImagePixel(1, 0, 1, 0), Argb(rgba[7], rgba[4], rgba[5], rgba[6]));
}

TEST_F(ImageLoading, TheDecoderRefusesImagesAboveItsPixelLimitBeforeDecoding) {
  std::vector<uint8_t> rgba(4 * 4 * 4, 255);
  ASSERT_TRUE(plat::SavePng(Path("four.png"), 4, 4, rgba.data(), 6));
  const std::string bytes = Bytes(Path("four.png"));
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  plat::detail::DecodedPng out;
  EXPECT_TRUE(plat::detail::DecodePng(data, bytes.size(), false, out, 16));
  EXPECT_EQ(out.argb.size(), 16u);
  EXPECT_FALSE(plat::detail::DecodePng(data, bytes.size(), false, out, 15));
  EXPECT_TRUE(out.argb.empty());
  EXPECT_EQ(out.width, 0);
}

TEST_F(ImageLoading, GrabbingTheBackBufferGivesAnOpaqueCanvasSizedImage) {
  plat::ClearScreen();
  plat::SetColor(10, 200, 30);
  plat::DrawRect(5, 5, 10, 10);
  plat::SetColor(255, 255, 255);
  plat::DrawRect(41, 40, 1, 1);   // one display pixel of the four under canvas pixel (20, 20) below
  int image = plat::GrabBackBuffer();
  ASSERT_NE(image, 0);
  EXPECT_EQ(plat::ImageWidth(image), 800);
  EXPECT_EQ(plat::ImageHeight(image), 600);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 7, 7), 0xff0ac81eu);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 4, 7), 0xff000000u);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 41, 40), 0xffffffffu);

  // The same display pixels under a canvas of half the size: each canvas
  // pixel is the mean of 2 x 2 display pixels.
  plat::SetVirtualResolution(400, 300);
  image = plat::GrabBackBuffer();
  ASSERT_NE(image, 0);
  EXPECT_EQ(plat::ImageWidth(image), 400);
  EXPECT_EQ(plat::ImageHeight(image), 300);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 4, 4), 0xff0ac81eu);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 20, 20), 0xff404040u);
  EXPECT_EQ(plat::ReadImagePixel(image, 0, 21, 20), 0xff000000u);
}

}  // namespace
