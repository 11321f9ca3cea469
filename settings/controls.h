// Controls: every input of the game and the menus is read as an action of a
// player through one binding table of control codes.
#pragma once

#include <vector>

// ---- whole run
// 101 control codes; action a of player p is entry (p - 1) * 20 + a.
extern std::vector<int> KeyBindings;

// Makes KeyBindings (all unbound) and sets player 1's defaults.
void MakeKeyBindings();
// 1 while the code's input is held, else 0.
int ControlCodeHeld(int code);
// 1 while action a of player p is held, else 0.
int ControlValue(int action, int player);
// The control code of the first input found held, or 0.
int DetectControl();
