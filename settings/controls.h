// Controls: every input of the game and the menus is read as an action of a
// player through one binding table of control codes.
//
// Codes: 0 unbound; 10-254 the keyboard key with that Windows virtual-key
// code; 300 + 50 * (j - 1) + s an input of joystick j (1-4) by sub-code s:
// 0-11 axis directions (Y-, Y+, X-, X+, Z-, Z+, U-, U+, V-, V+, R-, R+),
// 20 / 25 / 28 / 23 hat up / right / down / left, 30-49 buttons 0-19.
// Every other code is never active.
#pragma once

#include <string>
#include <vector>

// ---- whole run
// 101 control codes; action a of player p is entry (p - 1) * 20 + a.
extern std::vector<int> KeyBindings;

// Makes KeyBindings (all unbound) and sets player 1's defaults.
void MakeKeyBindings();
// The code entry index starts with: player 1's arrows and Z X C V, else 0.
int DefaultKeyBinding(int index);
// 1 while the code's input is held, else 0. Axes count when more than 0.3
// past their start-up rest position; a switched-off joystick never counts.
int ControlCodeHeld(int code);
// 1 while action a of player p is held, else 0.
int ControlValue(int action, int player);
// The control code of the first input found held (keys 1-255 first, then
// each enabled joystick's axes, exact hat positions and buttons 0-18), or 0.
// Returns 0 while F11 or F12 is held, so the screenshot and overlay keys
// are never captured.
int DetectControl();
// The name shown for a code. Codes without a name of their own are named by
// their joystick sub-code ("X+", "Up", or the button number).
std::string KeyName(int code);
// True when code 0-255 has a name of its own in the key table.
bool KeyHasOwnName(int code);
