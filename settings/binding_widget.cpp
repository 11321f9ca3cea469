#include "settings/binding_widget.h"

#include "display/common_assets.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/joysticks.h"
#include "settings/settings_panel.h"

namespace {
constexpr int kWidgetSize = 48;
constexpr int kBackspace = 8;
constexpr int kEntryHeight = 14, kEntrySpacing = 15;

struct BlockWidget {
  int action, dx, dy;
  int r, g, b;
};
// The directions form a cross; the four buttons a diamond.
constexpr BlockWidget kBlock[8] = {
    {0, 50, 0, 80, 255, 80},    {3, 0, 50, 80, 255, 80},    {5, 100, 50, 80, 255, 80},
    {8, 50, 50, 80, 255, 80},   {13, 190, 0, 255, 255, 80}, {12, 155, 30, 80, 80, 255},
    {11, 225, 30, 255, 80, 80}, {10, 190, 60, 80, 255, 80},
};
}  // namespace

BindingLook BindingLabel(int code) {
  const int centre = kWidgetSize / 2;
  if (code == 0) return {3, "?!", centre, centre};
  if (code >= 9 && code <= 254) return {3, KeyName(code), centre, centre};
  if (code < 300 || code > 499) return {};
  const int s = code % 50;
  // Axis and hat labels sit on the widget's corner, clear of the arrows.
  if (s <= 11) return {9, KeyName(code), 0, 0};
  if (s >= 20 && s <= 29) return {8, KeyName(code), 0, 0};
  if (s >= 30) return {10, KeyName(code), centre, centre};
  return {};
}

// Widest label that fits inside the key cap drawn in the widget, clear of
// its border (which has the label's colour), canvas pixels.
constexpr int kLabelRoom = 28;

void BindingWidget(int index, int x, int y) {
  if (index < 0 || index >= static_cast<int>(KeyBindings.size())) return;
  int& code = KeyBindings[static_cast<size_t>(index)];
  const int old = code;
  bool highlight = false;
  if (MouseInRect(x, y, kWidgetSize, kWidgetSize) && SettingsPanelY >= 0) {
    highlight = true;
    const int c = DetectControl();
    // Codes 1-7 are the mouse buttons and unused keys: never bound.
    if (c > kBackspace) code = c;
    else if (c == kBackspace) code = 0;
  }
  if (ControlCodeHeld(code)) highlight = true;

  const BindingLook look = BindingLabel(old);
  if (look.cell < 0) return;
  SetDrawScale(3);
  DrawGlowImage(IconsCrisp, x, y, look.cell, IconsSmooth, 1.1f, highlight ? 1.0f : 0.0f);
  // Long key names ("Right", "Page Down") are narrowed to fit inside the
  // square rather than spill onto the next widget.
  const int width = plat::TextWidth(look.label), height = plat::TextHeight(look.label);
  const float fit = width > kLabelRoom ? static_cast<float>(kLabelRoom) / width : 1.0f;
  SetDrawScale(fit, 1);
  plat::DrawText(look.label, x + look.labelDx - width * fit / 2, static_cast<float>(y + look.labelDy - height / 2));
  SetDrawScale(1);
}

void ControlBlock(int player, int bx, int by) {
  if (player < 1 || player > 5) return;
  for (const BlockWidget& w : kBlock) {
    SetDrawColour(static_cast<float>(w.r), static_cast<float>(w.g), static_cast<float>(w.b));
    BindingWidget((player - 1) * 20 + w.action, bx + w.dx, by + w.dy);
  }
}

void JoystickEntries(int x, int y) {
  SetDrawScale(1);
  for (int j = 1; j <= JoystickCount && j < static_cast<int>(Joysticks.size()); ++j) {
    JoystickEntry& stick = Joysticks[static_cast<size_t>(j)];
    const int line = y + kEntrySpacing * (j - 1);
    if (LeftClick && MouseInRect(x, line, plat::TextWidth(stick.name), kEntryHeight)) {
      LeftClick = 0;
      stick.enabled = stick.enabled ? 0 : 1;
    }
    const float alpha = stick.enabled ? 1.0f : 0.2f;
    if (plat::JoystickButton(j - 1, 0)) SetDrawColour(255, 255, 80, alpha);
    else SetDrawColour(80, 255, 80, alpha);
    DrawTextAligned(x, line, stick.name, 0, 0);
  }
}
