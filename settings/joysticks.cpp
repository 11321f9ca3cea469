#include "settings/joysticks.h"

#include "platform/platform.h"

std::vector<JoystickEntry> Joysticks;
int JoystickCount = 0;

void DetectJoysticks() {
  Joysticks.assign(5, JoystickEntry{});
  JoystickCount = plat::CountJoysticks();
  if (JoystickCount > 4) JoystickCount = 4;
  for (int j = 1; j <= JoystickCount; ++j) {
    JoystickEntry& e = Joysticks[j];
    const int port = j - 1;
    e.enabled = 1;
    e.name = plat::JoystickName(port);
    e.buttonMask = plat::JoystickButtonMask(port);
    for (int axis = 0; axis < 6; ++axis) e.rest[axis] = plat::JoystickAxis(port, axis);
    e.hatUsable = plat::JoystickHat(port) == -1.0f ? 1 : 0;
  }
}
