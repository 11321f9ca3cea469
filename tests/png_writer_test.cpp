// The PNG writer behind screenshots and the build's pictures: exact pixels
// back, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/platform.h"
#include "tests/stored_png.h"

namespace fs = std::filesystem;

namespace {

fs::path TempFolder() {
  fs::path dir = fs::temp_directory_path() /
                 ("png_writer_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::vector<uint8_t> Noise(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
  for (auto& v : px) v = uint8_t(rng());
  return px;
}

}  // namespace

TEST(PngWriter, PixelsComeBackExactly) {
  struct Case {
    int w, h;
  };
  // Odd widths and one-pixel images catch stride and row-filter mistakes.
  const Case cases[] = {{1, 1}, {3, 2}, {17, 5}, {64, 33}};
  const fs::path dir = TempFolder();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const std::vector<uint8_t> px = Noise(c.w, c.h, unsigned(c.w * 131 + c.h));
    const std::string path = (dir / "out.png").string();
    ASSERT_TRUE(plat::SavePng(path, c.w, c.h, px.data(), 0));
    storedpng::Image img;
    ASSERT_EQ(storedpng::Read(path, img), "");
    EXPECT_EQ(img.width, c.w);
    EXPECT_EQ(img.height, c.h);
    EXPECT_EQ(img.rgba, px);
  }
  fs::remove_all(dir);
}

TEST(PngWriter, HigherLevelCompressesAndStaysValid) {
  const fs::path dir = TempFolder();
  std::vector<uint8_t> flat(200 * 100 * 4, 0);
  for (size_t i = 0; i < flat.size(); i += 4) flat[i] = 200, flat[i + 3] = 255;
  const std::string stored = (dir / "l0.png").string(), packed = (dir / "l9.png").string();
  ASSERT_TRUE(plat::SavePng(stored, 200, 100, flat.data(), 0));
  ASSERT_TRUE(plat::SavePng(packed, 200, 100, flat.data(), 9));
  storedpng::Image img;
  EXPECT_EQ(storedpng::Read(packed, img, false), "");
  EXPECT_EQ(img.width, 200);
  EXPECT_LT(fs::file_size(packed) * 20, fs::file_size(stored));
  fs::remove_all(dir);
}

TEST(PngWriter, FailuresWriteNothingAndKeepTheOldFile) {
  const fs::path dir = TempFolder();
  const std::vector<uint8_t> px = Noise(4, 4, 7);
  const std::string kept = (dir / "kept.png").string();
  ASSERT_TRUE(plat::SavePng(kept, 4, 4, px.data(), 6));
  const auto keptSize = fs::file_size(kept);
  struct Case {
    const char* name;
    std::string path;
    int w, h;
    const uint8_t* data;
  };
  const Case cases[] = {
      {"zero width", kept, 0, 4, px.data()},
      {"negative height", kept, 4, -1, px.data()},
      {"no pixels", kept, 4, 4, nullptr},
      {"missing folder", (dir / "nope" / "x.png").string(), 4, 4, px.data()},
      {"empty path", "", 4, 4, px.data()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(plat::SavePng(c.path, c.w, c.h, c.data, 6));
  }
  EXPECT_EQ(fs::file_size(kept), keptSize);
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1u) << "a failed write left a file behind";
  fs::remove_all(dir);
}
