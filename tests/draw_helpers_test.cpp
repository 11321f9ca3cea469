// The drawing layer's state rules, on a headless display.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "app/program.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "tests/harness.h"

namespace {

class DrawHelpers : public harness::HeadlessDisplay {
 protected:
  // A 16 x 16 opaque white image, handled at its centre as the framework loads them.
  int WhiteImage() {
    plat::SetAutoMidHandle(true);
    std::vector<uint8_t> rgba(16 * 16 * 4, 255);
    return plat::CreateImage(16, 16, rgba.data(), false);
  }
};

TEST_F(DrawHelpers, ColourIsClampedAndTruncatedAndAlphaIsOptional) {
  struct Case {
    float r, g, b;
    std::optional<float> a;
    int wantR, wantG, wantB;
    float wantAlpha;
  };
  const Case cases[] = {
      {300, -5, 127.9f, std::nullopt, 255, 0, 127, 0.25f},  // no alpha: the fade in progress stays
      {0, 0, 0, 2.0f, 0, 0, 0, 1.0f},
      {10.99f, 254.5f, 1, -0.5f, 10, 254, 1, 0.0f},
      {NAN, 12, 13, NAN, 0, 12, 13, 0.0f},        // not a number: the lower bound
      {20, 30, 40, 0.6f, 20, 30, 40, 0.6f},
  };
  for (const Case& c : cases) {
    plat::SetAlpha(0.25f);
    SetDrawColour(c.r, c.g, c.b, c.a);
    int r, g, b;
    plat::GetColor(r, g, b);
    EXPECT_EQ(r, c.wantR);
    EXPECT_EQ(g, c.wantG);
    EXPECT_EQ(b, c.wantB);
    EXPECT_FLOAT_EQ(plat::GetAlpha(), c.wantAlpha) << c.r << "," << c.g << "," << c.b;
  }
}

TEST_F(DrawHelpers, ScaleDefaultsItsYAndBlendKindsOutsideTheRangeChangeNothing) {
  SetDrawScale(3);
  EXPECT_FLOAT_EQ(plat::GetScaleX(), 3);
  EXPECT_FLOAT_EQ(plat::GetScaleY(), 3);
  SetDrawScale(1, 1.5f);
  EXPECT_FLOAT_EQ(plat::GetScaleY(), 1.5f);
  const int kinds[][2] = {{0, plat::BlendSolid}, {2, plat::BlendShade}, {3, plat::BlendLight}, {1, plat::BlendAlpha}};
  for (const auto& k : kinds) {
    SetBlendKind(k[0]);
    EXPECT_EQ(plat::GetBlend(), k[1]);
  }
  SetBlendKind(4);
  SetBlendKind(-1);
  EXPECT_EQ(plat::GetBlend(), plat::BlendAlpha);
  ResetDrawState();
  EXPECT_FLOAT_EQ(plat::GetRotation(), 0);
  EXPECT_FLOAT_EQ(plat::GetScaleX(), 1);
}

TEST_F(DrawHelpers, SelectFontFallsBackToSetOneAndSizeZero) {
  const std::string face = harness::RuntimeFolder() + "Files/Common/SVBasicManual.ttf";
  for (int entry : {0, 1, 8, 10, 28}) SizedFonts[entry] = plat::LoadFont(face, 10 + entry);
  ASSERT_NE(SizedFonts[0], 0) << "the font file is part of the build";
  struct Case {
    int set, size, entry;
  };
  const Case cases[] = {{1, 0, 0}, {1, 1, 1}, {1, 8, 8}, {4, 9, 0}, {0, -1, 0}, {2, 0, 10}, {3, 8, 28}, {3, 9, 20}};
  for (const Case& c : cases) {
    SelectFont(c.set, c.size);
    EXPECT_EQ(plat::GetFont(), SizedFonts[c.entry]) << c.set << "," << c.size;
  }
}

TEST_F(DrawHelpers, AlignedTextCornerUsesIntegerHalves) {
  struct Case {
    int w, h, horizontal, vertical, x, y;
  };
  const Case cases[] = {
      {31, 15, 1, 1, 85, 43}, {31, 15, 0, 0, 100, 50}, {31, 15, 2, 2, 69, 35},
      {31, 15, 3, -1, 100, 50}, {30, 14, 1, 2, 85, 36},
  };
  for (const Case& c : cases) {
    int x = 100, y = 50;
    AlignTextCorner(x, y, c.w, c.h, c.horizontal, c.vertical);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST_F(DrawHelpers, CentredTextLandsWhereTheCornerSays) {
  // The built-in font: 8 pixels a character, 12 high; "MMMM" is 32 x 12, so
  // centred on (100, 50) its corner is (84, 44).
  plat::ClearScreen();
  plat::SetFont(0);
  SetDrawColour(255, 255, 255, 1);
  DrawTextAligned(100, 50, "MMMM", 1, 1);
  plat::PresentFrame();
  int inkLeft = 1000, inkTop = 1000;
  for (int y = 30; y < 70; ++y)
    for (int x = 60; x < 140; ++x)
      if (plat::TestReadPixel(x, y) != 0) {
        inkLeft = std::min(inkLeft, x);
        inkTop = std::min(inkTop, y);
      }
  EXPECT_GE(inkLeft, 84);
  EXPECT_LE(inkLeft, 86);  // M's first column of ink may sit inside its cell
  EXPECT_GE(inkTop, 44);
  EXPECT_LE(inkTop, 48);
}

TEST_F(DrawHelpers, MouseInRectIsStrict) {
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {{10, 15, false}, {30, 15, false}, {11, 11, true}, {29, 29, true},
                        {15, 10, false}, {15, 30, false}, {20, 20, true}};
  for (const Case& c : cases) {
    MouseX = c.x;
    MouseY = c.y;
    EXPECT_EQ(MouseInRect(10, 10, 20, 20), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(DrawHelpers, BudgetsDropDrawsOverTheLimitAndCountSeparately) {
  const int image = WhiteImage();
  DrawLimits[1] = 1000;
  DrawLimits[2] = 3;
  BeginFrame(1);
  for (int i = 0; i < 1001; ++i) DrawBudgetedImage(image, 0, 0, 0, 1);
  EXPECT_EQ(DrawCounts[1], 1000);
  const int drawnBefore = plat::DrawCallsThisFrame();
  DrawBudgetedImage(image, 0, 0, 0, 1);
  EXPECT_EQ(plat::DrawCallsThisFrame(), drawnBefore) << "a spent budget draws nothing";
  // Category 1 is spent, but the glow still has room: only the glow draws.
  DrawGlowImage(image, 0, 0, 0, 0, 1.1f, 0);
  EXPECT_EQ(DrawCounts[1], 1000);
  EXPECT_EQ(DrawCounts[2], 1);
  EXPECT_EQ(plat::DrawCallsThisFrame(), drawnBefore + 1);
  BeginFrame(1);
  EXPECT_EQ(DrawCounts[1], 0);
  EXPECT_EQ(DrawCounts[2], 0);
}

TEST_F(DrawHelpers, SlowSystemModeSkipsEveryDropppedFrame) {
  const int image = WhiteImage();
  struct Case {
    int slow, toggle;
    bool draws;
  };
  const Case cases[] = {{0, 0, true}, {0, 1, true}, {1, 0, true}, {1, 1, false}, {2, 0, false}, {-1, 0, false}};
  for (const Case& c : cases) {
    Settings.SlowSystem = c.slow;
    FrameToggle = c.toggle;
    BeginFrame(1);
    DrawBudgetedImage(image, 0, 0, 0, 1);
    DrawGlowImage(image, 0, 0, 0, 0, 1.1f, 1);
    EXPECT_EQ(DrawCounts[1], c.draws ? 2 : 0) << c.slow << "," << c.toggle;
    EXPECT_EQ(DrawCounts[2], c.draws ? 1 : 0);
  }
}

TEST_F(DrawHelpers, GlowRestoresTheDrawStateAndSharesTheCentre) {
  const int image = WhiteImage();
  SetDrawScale(2);
  SetDrawColour(255, 255, 255, 0.5f);
  SetBlendKind(1);
  plat::ClearScreen();
  BeginFrame(1);
  DrawGlowImage(image, 100, 100, 0, 0, 1.5f, 1);
  EXPECT_FLOAT_EQ(plat::GetScaleX(), 2);
  EXPECT_FLOAT_EQ(plat::GetAlpha(), 0.5f);
  EXPECT_EQ(plat::GetBlend(), plat::BlendAlpha);
  plat::PresentFrame();
  // The image covers 100..131; the 1.5x glow about the same centre (116, 116)
  // reaches 8 pixels further on each side.
  EXPECT_NE(plat::TestReadPixel(94, 116), 0u);
  EXPECT_EQ(plat::TestReadPixel(90, 116), 0u);
  EXPECT_NE(plat::TestReadPixel(137, 116), 0u);
  EXPECT_EQ(plat::TestReadPixel(142, 116), 0u);
}

TEST_F(DrawHelpers, BackdropEasesExactlyOntoItsTarget) {
  BackdropTarget[0] = 0;
  BackdropTarget[1] = 1;
  BackdropTarget[2] = 0.2f;
  for (int call = 1; call <= 83; ++call) {
    DrawBackdrop();
    if (call == 82) {
      EXPECT_NE(BackdropColour[0], 0.0f) << "not there one call early";
    }
  }
  EXPECT_EQ(BackdropColour[0], 0.0f);
  EXPECT_EQ(BackdropColour[1], 1.0f);
  EXPECT_EQ(BackdropColour[2], 0.2f);
  // A target equal to the colour leaves it exactly where it is.
  DrawBackdrop();
  EXPECT_EQ(BackdropColour[1], 1.0f);
}

TEST_F(DrawHelpers, BackdropBandsGrowBrighterDownTheScreen) {
  VirtualWidth = 1280;
  VirtualHeight = 960;
  plat::SetVirtualResolution(1280, 960);
  plat::ClearScreen();
  DrawBackdrop();
  plat::PresentFrame();
  const uint32_t top = plat::TestReadPixel(10, 10), bottom = plat::TestReadPixel(1270, 950);
  EXPECT_GT(top >> 16, 0u) << "the start colour is red";
  EXPECT_GT(bottom >> 16, top >> 16);
  EXPECT_EQ((bottom >> 8) & 0xFF, 0u) << "no green in the start colour";
}

}  // namespace
