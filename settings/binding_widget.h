// The settings panel's control widgets: the rebinding square for one entry
// of KeyBindings, a player's block of eight of them, and the joystick list.
// Canvas pixels, origin top-left; callers add SettingsPanelY themselves.
#pragma once

#include <string>

// How a widget shows a code: an icon cell of the icon sheet (-1: nothing is
// drawn) and a label centred at (x + labelDx, y + labelDy).
struct BindingLook {
  int cell = -1;
  std::string label;
  int labelDx = 0, labelDy = 0;
};
BindingLook BindingLabel(int code);

// The 48 x 48 widget for KeyBindings entry index at (x, y), in the colour
// the caller set. While hovered on the fully open panel, the first input
// pressed binds it (Backspace unbinds; mouse buttons are ignored); it glows
// while hovered or while its input is held. Drawn as the entry was at the
// start of the call, so a change shows from the next frame.
void BindingWidget(int index, int x, int y);
// Player p's eight widgets around the corner (bx, by): a cross of directions
// and a diamond of four buttons, each in its action's colour.
void ControlBlock(int player, int bx, int by);
// One line per joystick found, 15 pixels apart from (x, y): green, yellow
// while button 0 is held, faint when switched off. A left click on a name
// switches the joystick off or on and is consumed.
void JoystickEntries(int x, int y);
