#include "settings/controls.h"

#include "platform/platform.h"

std::vector<int> KeyBindings;

void MakeKeyBindings() {
  KeyBindings.assign(101, 0);
  // Player 1: arrows for the directions, Z X C V for the buttons.
  KeyBindings[0] = 38;
  KeyBindings[3] = 37;
  KeyBindings[5] = 39;
  KeyBindings[8] = 40;
  KeyBindings[10] = 90;
  KeyBindings[11] = 88;
  KeyBindings[12] = 67;
  KeyBindings[13] = 86;
}

int ControlCodeHeld(int code) {
  if (code >= 10 && code <= 254 && plat::KeyDown(code)) return 1;
  return 0;
}

int ControlValue(int action, int player) {
  const int index = (player - 1) * 20 + action;
  if (index < 0 || index >= static_cast<int>(KeyBindings.size())) return 0;
  return ControlCodeHeld(KeyBindings[index]);
}

int DetectControl() {
  // The screenshot and overlay keys are never captured.
  if (plat::KeyDown(122) || plat::KeyDown(123)) return 0;
  for (int vk = 1; vk <= 255; ++vk)
    if (plat::KeyDown(vk)) return vk;
  return 0;
}
