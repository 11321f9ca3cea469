// The settings panel's control widgets on a headless display: rebinding by
// hovering, the look of each kind of code, the control block's layout and
// tints, and the joystick list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "display/common_assets.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "settings/binding_widget.h"
#include "settings/controls.h"
#include "settings/joysticks.h"
#include "settings/settings_panel.h"
#include "tests/harness.h"

namespace {

constexpr int kBackspace = 8, kEscape = 27, kA = 65, kZ = 90, kF11 = 122;

TEST(BindingLabel, ByCode) {
  struct Case {
    int code;
    int cell;
    const char* label;
    int dx, dy;
  };
  const Case cases[] = {
      {0, 3, "?!", 24, 24},     {9, 3, "Tab", 24, 24},    {90, 3, "Z", 24, 24},     {16, 3, "-14", 24, 24},
      {254, 3, "Z-", 24, 24},   {300, 9, "Y-", 0, 0},     {311, 9, "R+", 0, 0},     {453, 9, "X+", 0, 0},
      {320, 8, "Up", 0, 0},     {323, 8, "Left", 0, 0},   {329, 8, "-1", 0, 0},     {330, 10, "0", 24, 24},
      {349, 10, "19", 24, 24},  {499, 10, "19", 24, 24},
  };
  for (const Case& c : cases) {
    const BindingLook look = BindingLabel(c.code);
    EXPECT_EQ(look.cell, c.cell) << c.code;
    EXPECT_EQ(look.label, c.label) << c.code;
    EXPECT_EQ(look.labelDx, c.dx) << c.code;
    EXPECT_EQ(look.labelDy, c.dy) << c.code;
  }
  // Nothing is drawn for codes that name no input a widget can show.
  for (int code : {1, 7, 8, 255, 299, 312, 319, 500, 1000, -5}) EXPECT_EQ(BindingLabel(code).cell, -1) << code;
}

class Widgets : public harness::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    if (HasFatalFailure()) return;
    port = plat::TestAttachJoystick("Pad", 6, 20, 1);
    ASSERT_EQ(port, 0);
    DetectJoysticks();
    SettingsPanelY = 20;
  }

  void Point(int x, int y) {
    MouseX = x;
    MouseY = y;
  }
  // An icon sheet of opaque white cells, so a drawn icon shows its tint.
  void WhiteIcons() {
    plat::SetAutoMidHandle(true);
    std::vector<uint8_t> rgba(16 * 11 * 16 * 4, 255);
    IconsCrisp = IconsSmooth = plat::CreateImage(16 * 11, 16, rgba.data(), false, 16, 16);
    ASSERT_NE(IconsCrisp, 0);
  }
  int port = -1;
};

// Player 1's action 10 (Z by default), drawn at (250, 30).
TEST_F(Widgets, HoveringTheOpenPanelBindsTheFirstInputPressed) {
  constexpr int kIndex = 10, kX = 250, kY = 30;
  struct Case {
    const char* what;
    int px, py;        // pointer, relative to the widget
    int panelY;
    char kind;         // 'k' key, 'm' mouse button, 'a' axis, 'b' button, '-' nothing
    int which;
    int want;
  };
  const Case cases[] = {
      {"an axis", 24, 24, 20, 'a', 1, 301},
      {"a button", 24, 24, 20, 'b', 3, 333},
      {"a key", 1, 47, 20, 'k', kEscape, kEscape},
      {"Backspace unbinds", 47, 1, 0, 'k', kBackspace, 0},
      {"mouse buttons are ignored", 24, 24, 20, 'm', 1, kZ},
      {"nothing pressed", 24, 24, 20, '-', 0, kZ},
      {"the panel still sliding", 24, 24, -12, 'k', kEscape, kZ},
      {"the pointer on the edge", 48, 24, 20, 'k', kEscape, kZ},
      {"the pointer above", 24, 0, 20, 'b', 3, kZ},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeKeyBindings();
    Point(kX + c.px, kY + c.py);
    SettingsPanelY = c.panelY;
    switch (c.kind) {
      case 'k': plat::TestSetKey(c.which, true); break;
      case 'm': plat::TestSetMouseButton(c.which, true); break;
      case 'a': plat::TestSetJoystickAxis(port, c.which, 0.9f); break;
      case 'b': plat::TestSetJoystickButton(port, c.which, true); break;
    }
    BindingWidget(kIndex, kX, kY);
    for (int i = 0; i <= 100; ++i)
      EXPECT_EQ(KeyBindings[static_cast<size_t>(i)], i == kIndex ? c.want : DefaultKeyBinding(i)) << i;
    switch (c.kind) {
      case 'k': plat::TestSetKey(c.which, false); break;
      case 'm': plat::TestSetMouseButton(c.which, false); break;
      case 'a': plat::TestSetJoystickAxis(port, c.which, 0); break;
      case 'b': plat::TestSetJoystickButton(port, c.which, false); break;
    }
    plat::PresentFrame();
  }
}

TEST_F(Widgets, F11HeldWhileHoveringBindsNothing) {
  Point(274, 54);
  plat::TestSetKey(kF11, true);
  plat::TestSetKey(kA, true);
  BindingWidget(10, 250, 30);
  EXPECT_EQ(KeyBindings[10], kZ);
}

TEST_F(Widgets, BackspaceUnbindsAndTheWidgetThenShowsTheUnboundMark) {
  Point(274, 54);
  plat::TestSetKey(kBackspace, true);
  BindingWidget(10, 250, 30);
  ASSERT_EQ(KeyBindings[10], 0);
  EXPECT_EQ(BindingLabel(KeyBindings[10]).label, "?!");
  EXPECT_EQ(ControlValue(10, 1), 0);
}

// The glow reaches a little past the 48-pixel icon: lit while hovered or
// while the bound input is held, dark otherwise.
TEST_F(Widgets, TheWidgetGlowsWhileHoveredOrWhileItsInputIsHeld) {
  WhiteIcons();
  struct Case {
    const char* what;
    bool hovered, zHeld;
    bool glows;
    uint32_t icon;   // the tint, doubled where the additive glow covers it
  };
  const Case cases[] = {
      {"idle", false, false, false, 0x50FF50},
      {"its key held", false, true, true, 0xA0FFA0},
      {"hovered", true, false, true, 0xA0FFA0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Point(c.hovered ? 124 : 400, c.hovered ? 124 : 400);
    plat::TestSetKey(kZ, c.zHeld);
    plat::ClearScreen();
    BeginFrame(1);
    SetDrawColour(80, 255, 80, 1);
    BindingWidget(10, 100, 100);
    plat::PresentFrame();
    EXPECT_EQ(plat::TestReadPixel(102, 102), c.icon);
    EXPECT_EQ(plat::TestReadPixel(98, 124) != 0, c.glows);
    EXPECT_EQ(plat::TestReadPixel(96, 124), 0u);            // beyond the glow
    EXPECT_EQ(KeyBindings[10], kZ);                        // Z again: no change
  }
}

TEST_F(Widgets, ControlBlockPlacesAndTintsEachActionsWidget) {
  WhiteIcons();
  constexpr int kBx = 100, kBy = 150, kPlayer = 2;
  struct Spot {
    int action, dx, dy;
    uint32_t colour;
  };
  const Spot spots[] = {
      {0, 50, 0, 0x50FF50},    {3, 0, 50, 0x50FF50},    {5, 100, 50, 0x50FF50},  {8, 50, 50, 0x50FF50},
      {13, 190, 0, 0xFFFF50},  {12, 155, 30, 0x5050FF}, {11, 225, 30, 0xFF5050}, {10, 190, 60, 0x50FF50},
  };
  Point(600, 400);
  plat::ClearScreen();
  BeginFrame(1);
  SetDrawColour(255, 255, 255, 1);
  ControlBlock(kPlayer, kBx, kBy);
  plat::PresentFrame();
  for (const Spot& s : spots)
    EXPECT_EQ(plat::TestReadPixel(kBx + s.dx + 2, kBy + s.dy + 2), s.colour) << "action " << s.action;

  // Hovering each spot binds that action of that player and no other entry.
  for (const Spot& s : spots) {
    SCOPED_TRACE(s.action);
    MakeKeyBindings();
    Point(kBx + s.dx + 24, kBy + s.dy + 24);
    plat::TestSetKey(kEscape, true);
    ControlBlock(kPlayer, kBx, kBy);
    plat::TestSetKey(kEscape, false);
    plat::PresentFrame();
    for (int i = 0; i <= 100; ++i) {
      const int want = i == (kPlayer - 1) * 20 + s.action ? kEscape : DefaultKeyBinding(i);
      EXPECT_EQ(KeyBindings[static_cast<size_t>(i)], want) << i;
    }
  }

  // The tints leave the alpha of a fade in progress alone.
  SetDrawColour(255, 255, 255, 0.5f);
  ControlBlock(kPlayer, kBx, kBy);
  EXPECT_FLOAT_EQ(plat::GetAlpha(), 0.5f);
}

TEST_F(Widgets, AClickOnAJoysticksNameSwitchesItAndIsConsumed) {
  ASSERT_EQ(plat::TestAttachJoystick("Beta Pad", 2, 4, 1), 1);
  DetectJoysticks();
  constexpr int kX = 300, kY = 200;   // joystick 2's line is at y 215
  const int w = plat::TextWidth("Beta Pad");
  struct Case {
    const char* what;
    int px, py, click;
    int enabled1, enabled2, clickAfter;
  };
  const Case cases[] = {
      {"a click on the second name", kX + 1, kY + 20, 1, 1, 0, 0},
      {"a second click", kX + w - 1, kY + 16, 1, 1, 1, 0},
      {"a click on the first name", kX + 5, kY + 5, 1, 0, 1, 0},
      {"hovering without a click", kX + 5, kY + 5, 0, 0, 1, 0},
      {"a click just past the text", kX + w, kY + 20, 1, 0, 1, 1},
      {"a click on the line's lower edge", kX + 5, kY + 15 + 14, 1, 0, 1, 1},
      {"a click back on the first name", kX + 5, kY + 13, 1, 1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Point(c.px, c.py);
    LeftClick = c.click;
    JoystickEntries(kX, kY);
    EXPECT_EQ(Joysticks[1].enabled, c.enabled1);
    EXPECT_EQ(Joysticks[2].enabled, c.enabled2);
    EXPECT_EQ(LeftClick, c.clickAfter);
  }
}

// The last line drawn leaves its colour in the draw state.
TEST_F(Widgets, AJoysticksLineIsGreenYellowWhileButtonZeroIsHeldAndFaintWhenOff) {
  struct Case {
    const char* what;
    bool button0, enabled;
    int r, g, b;
    float alpha;
  };
  const Case cases[] = {
      {"idle", false, true, 80, 255, 80, 1.0f},
      {"button 0 held", true, true, 255, 255, 80, 1.0f},
      {"switched off", false, false, 80, 255, 80, 0.2f},
      {"switched off, button 0 held", true, false, 255, 255, 80, 0.2f},
  };
  Point(0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::TestSetJoystickButton(port, 0, c.button0);
    Joysticks[1].enabled = c.enabled ? 1 : 0;
    JoystickEntries(300, 200);
    int r, g, b;
    plat::GetColor(r, g, b);
    EXPECT_EQ(r, c.r);
    EXPECT_EQ(g, c.g);
    EXPECT_EQ(b, c.b);
    EXPECT_FLOAT_EQ(plat::GetAlpha(), c.alpha);
  }
}

}  // namespace
