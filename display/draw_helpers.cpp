#include "display/draw_helpers.h"

#include <cmath>

#include "display/frame.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "util/fields.h"

std::vector<int> FontSlots;
std::vector<int> SizedFonts;
std::vector<int> DrawCounts;
std::vector<int> DrawLimits;

void MakeFontTables() {
  FontSlots.assign(14, 0);
  SizedFonts.assign(30, 0);
}

void MakeDrawBudgets() {
  DrawCounts.assign(11, 0);
  DrawLimits.assign(11, 0);
  DrawLimits[1] = 50000;
  DrawLimits[2] = 50000;
}

void ResetDrawState() {
  plat::SetRotation(0);
  plat::SetScale(1, 1);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  SetBlendKind(1);
}

void SetBlendKind(int kind) {
  switch (kind) {
    case 0: plat::SetBlend(plat::BlendSolid); break;
    case 1: plat::SetBlend(plat::BlendAlpha); break;
    case 2: plat::SetBlend(plat::BlendShade); break;
    case 3: plat::SetBlend(plat::BlendLight); break;
    default: break;
  }
}

void SetDrawColour(float red, float green, float blue, std::optional<float> alpha) {
  plat::SetColor(static_cast<int>(ClampFloat(red, 0, 255)), static_cast<int>(ClampFloat(green, 0, 255)),
                 static_cast<int>(ClampFloat(blue, 0, 255)));
  if (alpha) plat::SetAlpha(ClampFloat(*alpha, 0, 1));
}

void SetDrawScale(float x, float y) { plat::SetScale(x, y); }
void SetDrawScale(float x) { plat::SetScale(x, x); }
void SetDrawRotation(float degrees) { plat::SetRotation(degrees); }

void SelectFont(int set, int size) {
  if (set < 1 || set > 3) set = 1;
  if (size < 0 || size > 8) size = 0;
  const int entry = (set - 1) * 10 + size;
  plat::SetFont(entry < static_cast<int>(SizedFonts.size()) ? SizedFonts[entry] : 0);
}

void AlignTextCorner(int& x, int& y, int width, int height, int horizontal, int vertical) {
  if (horizontal == 1) x -= width / 2;
  if (horizontal == 2) x -= width;
  if (vertical == 1) y -= height / 2;
  if (vertical == 2) y -= height;
}

void DrawTextAligned(int x, int y, const std::string& text, int horizontal, int vertical) {
  AlignTextCorner(x, y, plat::TextWidth(text), plat::TextHeight(text), horizontal, vertical);
  plat::DrawText(text, static_cast<float>(x), static_cast<float>(y));
}

bool MouseInRect(int x, int y, int width, int height) {
  return x < MouseX && MouseX < x + width && y < MouseY && MouseY < y + height;
}

namespace {
// Slow-system mode draws nothing on the frames that are dropped; any other
// value than 0 or 1 draws nothing at all.
bool SkippedFrame() {
  return (Settings.SlowSystem == 1 && FrameToggle != 0) ||
         (Settings.SlowSystem != 0 && Settings.SlowSystem != 1);
}

// Takes one draw from the category's budget; false when it is spent.
bool TakeBudget(int category) {
  if (category < 0 || category >= static_cast<int>(DrawCounts.size())) return false;
  if (DrawCounts[category] >= DrawLimits[category]) return false;
  DrawCounts[category] += 1;
  return true;
}
}  // namespace

void DrawBudgetedImage(int image, int x, int y, int frame, int category) {
  if (SkippedFrame()) return;
  const float sx = plat::GetScaleX(), sy = plat::GetScaleY();
  if (!TakeBudget(category)) return;
  plat::DrawImage(image, x + plat::ImageWidth(image) * sx / 2.0f, y + plat::ImageHeight(image) * sy / 2.0f,
                  frame);
}

void DrawGlowImage(int image, int x, int y, int frame, int glow, float glowScale, float glowAlpha) {
  if (SkippedFrame()) return;
  const float sx = plat::GetScaleX(), sy = plat::GetScaleY();
  const float alpha = plat::GetAlpha();
  const int blend = plat::GetBlend();
  const float cx = x + plat::ImageWidth(image) * sx / 2.0f;
  const float cy = y + plat::ImageHeight(image) * sy / 2.0f;
  if (TakeBudget(1)) plat::DrawImage(image, cx, cy, frame);
  plat::SetScale(sx * glowScale, sy * glowScale);
  plat::SetAlpha(alpha * glowAlpha);
  SetBlendKind(3);
  if (TakeBudget(2)) plat::DrawImage(glow != 0 ? glow : image, cx, cy, frame);
  plat::SetScale(sx, sy);
  plat::SetAlpha(alpha);
  plat::SetBlend(blend);
}
