// The pixel-exact overlap test decides every pickup and every death in the
// game: it must agree with what is drawn to the canvas pixel, at the edges,
// under scale, mirroring and rotation.
//
// The rule pinned here: a canvas pixel belongs to an image when the pixel's
// centre lies in an opaque source pixel (left and top edges inside, right
// and bottom outside); two images overlap when they share such a pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/platform.h"
#include "tests/harness.h"

namespace {

struct Pose {
  float x, y, sx, sy, rot;
};

class ImageOverlap : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::TestMode mode;
    mode.enabled = true;
    mode.keepFrames = true;
    mode.programFolder = harness::MakeTempFolder();
    ASSERT_TRUE(plat::Init(&mode));
    ASSERT_TRUE(plat::OpenDisplay(800, 600, 0, 60));
    plat::SetAutoMidHandle(true);   // handles at the cell centre, as the game loads them
  }
  void TearDown() override { plat::Shutdown(); }

  // A 16 x 16 image, transparent but for the listed pixels.
  static int Sprite(std::vector<std::pair<int, int>> opaque, int w = 16, int h = 16) {
    std::vector<uint8_t> rgba(size_t(w) * h * 4, 0);
    for (auto [x, y] : opaque) {
      uint8_t* p = &rgba[(size_t(y) * w + x) * 4];
      p[0] = p[1] = p[2] = p[3] = 255;
    }
    return plat::CreateImage(w, h, rgba.data(), false);
  }

  static bool Overlap(int a, Pose pa, int b, Pose pb, int frameA = 0, int frameB = 0) {
    return plat::ImagesOverlap(a, frameA, pa.x, pa.y, pa.sx, pa.sy, pa.rot, b, frameB, pb.x, pb.y,
                               pb.sx, pb.sy, pb.rot);
  }
};

TEST_F(ImageOverlap, EdgePixelsMeetExactlyUnderScaleMirrorAndRotation) {
  // A's only opaque pixel is on its right edge, B's on its left edge, both in
  // row 8. At scale 4, A at (100, 100) covers canvas x 128-131, y 100-103.
  const int a = Sprite({{15, 8}});
  const int b = Sprite({{0, 8}});
  const Pose atHome{100, 100, 4, 4, 0};
  const struct {
    const char* name;
    Pose a, b;
    bool overlap;
  } cases[] = {
      {"scale 4: B's pixel covers x 131-134, sharing column 131", atHome, {163, 100, 4, 4, 0}, true},
      {"scale 4: one canvas pixel further, x 132-135", atHome, {164, 100, 4, 4, 0}, false},
      {"scale 4: 0.4 px further, column 131's centre still inside", atHome, {163.4f, 100, 4, 4, 0}, true},
      {"scale 4: 0.6 px further, column 131's centre left behind", atHome, {163.6f, 100, 4, 4, 0}, false},
      {"scale 4: B one row lower still shares row 103", atHome, {163, 103, 4, 4, 0}, true},
      {"scale 4: B four rows lower shares nothing", atHome, {163, 104, 4, 4, 0}, false},
      {"scale 1: columns 107 and 107", {100, 100, 1, 1, 0}, {115, 100, 1, 1, 0}, true},
      {"scale 1: columns 107 and 108", {100, 100, 1, 1, 0}, {116, 100, 1, 1, 0}, false},
      {"scale 2.5: a centre on B's left edge counts", {100, 100, 2.5f, 2.5f, 0}, {139.5f, 100, 2.5f, 2.5f, 0}, true},
      {"scale 2.5: a centre on A's right edge does not", {100.5f, 100, 2.5f, 2.5f, 0}, {140.5f, 100, 2.5f, 2.5f, 0}, false},
      // Mirrored in x, A's pixel lands left of its handle and B's right of it.
      {"both mirrored: columns 131-134 and 128-131", {163, 100, -4, 4, 0}, {100, 100, -4, 4, 0}, true},
      {"both mirrored, one pixel apart", {164, 100, -4, 4, 0}, {100, 100, -4, 4, 0}, false},
      {"B mirrored: columns 128-131 and 131-134", atHome, {103, 100, -4, 4, 0}, true},
      {"B mirrored, one pixel apart", atHome, {104, 100, -4, 4, 0}, false},
      // Mirrored in y, A's row 8 covers rows 96-99.
      {"A mirrored in y: rows 96-99 and 99-102", {100, 100, 4, -4, 0}, {163, 99, 4, 4, 0}, true},
      {"A mirrored in y, one row apart", {100, 100, 4, -4, 0}, {163, 100, 4, 4, 0}, false},
      // Turned 90 degrees clockwise A's pixel covers x 96-99, y 128-131.
      {"A turned 90: column 99 shared", {100, 100, 4, 4, 90}, {131, 128, 4, 4, 0}, true},
      {"A turned 90, one column apart", {100, 100, 4, 4, 90}, {132, 128, 4, 4, 0}, false},
      {"both turned 90: row 131 shared", {100, 100, 4, 4, 90}, {100, 163, 4, 4, 90}, true},
      {"both turned 90, one row apart", {100, 100, 4, 4, 90}, {100, 164, 4, 4, 90}, false},
      // Turned -90 A's pixel covers x 100-103, y 68-71.
      {"A turned -90: column 103 shared", {100, 100, 4, 4, -90}, {135, 68, 4, 4, 0}, true},
      {"A turned -90, one column apart", {100, 100, 4, 4, -90}, {136, 68, 4, 4, 0}, false},
      {"A turned 450 is turned 90", {100, 100, 4, 4, 450}, {131, 128, 4, 4, 0}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Overlap(a, c.a, b, c.b), c.overlap);
    EXPECT_EQ(Overlap(b, c.b, a, c.a), c.overlap) << "with the images swapped";
  }
}

// The overlap test must see what DrawImage draws: for each pose, every canvas
// pixel around the sprite is lit exactly when a one-pixel probe there
// overlaps the sprite.
TEST_F(ImageOverlap, AgreesPixelForPixelWithWhatIsDrawn) {
  // An asymmetric shape, so a wrong mirror or turn shows.
  const int shape = Sprite({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}, {0, 3}, {5, 2}, {15, 15}, {15, 0}, {7, 9}, {8, 9}, {8, 10}});
  const int probe = Sprite({{0, 0}}, 1, 1);   // handle (0.5, 0.5): at (i + 0.5, j + 0.5) it covers pixel (i, j)
  const struct {
    const char* name;
    Pose pose;
  } cases[] = {
      {"scale 1", {100, 100, 1, 1, 0}},
      {"scale 4", {100, 100, 4, 4, 0}},
      {"scale 3 mirrored in x", {100, 100, -3, 3, 0}},
      {"scale 2 mirrored in y", {100, 100, 2, -2, 0}},
      {"scale 2 mirrored both ways", {100, 100, -2, -2, 0}},
      {"scale 2 turned 90", {100, 100, 2, 2, 90}},
      {"scale 2 turned 180", {100, 100, 2, 2, 180}},
      {"scale 2 turned 270", {100, 100, 2, 2, 270}},
      {"scale (3, 2) mirrored in x, turned 90", {100, 100, -3, 2, 90}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    plat::ClearScreen();
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1);
    plat::SetScale(c.pose.sx, c.pose.sy);
    plat::SetRotation(c.pose.rot);
    plat::DrawImage(shape, c.pose.x, c.pose.y);
    plat::SetScale(1, 1);
    plat::SetRotation(0);
    plat::PresentFrame();
    int lit = 0, wrong = 0;
    for (int j = 40; j < 160; ++j)
      for (int i = 40; i < 160; ++i) {
        const bool drawn = plat::TestReadPixel(i, j) != 0;
        lit += drawn;
        const bool hit = Overlap(shape, c.pose, probe, {i + 0.5f, j + 0.5f, 1, 1, 0});
        if (drawn != hit && wrong++ < 5)
          ADD_FAILURE() << "canvas pixel (" << i << ", " << j << ") drawn " << drawn << ", overlap " << hit;
      }
    EXPECT_GT(lit, 0);
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(ImageOverlap, UsesTheGivenFrames) {
  std::vector<uint8_t> rgba(32 * 16 * 4, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) rgba[(size_t(y) * 32 + x) * 4 + 3] = 255;   // cell 0 solid, cell 1 clear
  const int strip = plat::CreateImage(32, 16, rgba.data(), false, 16, 16);
  ASSERT_EQ(plat::ImageFrames(strip), 2);
  const int dot = Sprite({{8, 8}});
  const Pose here{50, 50, 1, 1, 0};
  EXPECT_TRUE(Overlap(strip, here, dot, here, 0, 0));
  EXPECT_FALSE(Overlap(strip, here, dot, here, 1, 0));
  EXPECT_FALSE(Overlap(dot, here, strip, here, 0, 1));
}

TEST_F(ImageOverlap, NothingOverlapsWhatIsNotDrawn) {
  const int solid = Sprite([] {
    std::vector<std::pair<int, int>> all;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) all.push_back({x, y});
    return all;
  }());
  const int clear = Sprite({});
  const int freed = Sprite({{8, 8}});
  plat::FreeImage(freed);
  const Pose here{50, 50, 1, 1, 0};
  const float nan = std::nanf("");
  const struct {
    const char* name;
    int image;
    Pose pose;
  } cases[] = {
      {"handle 0", 0, here},
      {"a freed image", freed, here},
      {"a fully transparent image", clear, here},
      {"scale 0 in x", solid, {50, 50, 0, 1, 0}},
      {"scale 0 in y", solid, {50, 50, 1, 0, 0}},
      {"a position that is not a number", solid, {nan, 50, 1, 1, 0}},
      {"a scale that is not a number", solid, {50, 50, nan, 1, 0}},
      {"an infinite scale", solid, {50, 50, INFINITY, 1, 0}},
  };
  ASSERT_TRUE(Overlap(solid, here, solid, here));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(Overlap(c.image, c.pose, solid, here));
    EXPECT_FALSE(Overlap(solid, here, c.image, c.pose));
  }
}

}  // namespace
