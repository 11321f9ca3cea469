// Joysticks through SDL's joystick API, opened once when first asked for.
#include <vector>

#include "platform/internal.h"

namespace plat {
namespace {
std::vector<SDL_Joystick*> Sticks;
bool Scanned = false;

void Scan() {
  if (Scanned) return;
  Scanned = true;
  SDL_JoystickUpdate();
  const int n = SDL_NumJoysticks();
  for (int i = 0; i < n; ++i)
    if (SDL_Joystick* j = SDL_JoystickOpen(i)) Sticks.push_back(j);
}

SDL_Joystick* Stick(int port) {
  Scan();
  if (port < 0 || port >= static_cast<int>(Sticks.size())) return nullptr;
  detail::PumpInput();
  return Sticks[port];
}
}  // namespace

int CountJoysticks() {
  Scan();
  return static_cast<int>(Sticks.size());
}

std::string JoystickName(int port) {
  SDL_Joystick* j = Stick(port);
  const char* name = j ? SDL_JoystickName(j) : nullptr;
  return name ? name : "";
}

uint32_t JoystickButtonMask(int port) {
  SDL_Joystick* j = Stick(port);
  if (!j) return 0;
  const int n = SDL_JoystickNumButtons(j);
  return n >= 32 ? 0xFFFFFFFFu : (1u << n) - 1u;
}

float JoystickAxis(int port, int axis) {
  SDL_Joystick* j = Stick(port);
  if (!j || axis < 0 || axis >= SDL_JoystickNumAxes(j)) return 0.0f;
  const float v = SDL_JoystickGetAxis(j, axis) / 32767.0f;
  return v < -1.0f ? -1.0f : v;
}

float JoystickHat(int port) {
  SDL_Joystick* j = Stick(port);
  if (!j || SDL_JoystickNumHats(j) < 1) return -1.0f;
  switch (SDL_JoystickGetHat(j, 0)) {
    case SDL_HAT_UP: return 0.0f;
    case SDL_HAT_RIGHTUP: return 0.125f;
    case SDL_HAT_RIGHT: return 0.25f;
    case SDL_HAT_RIGHTDOWN: return 0.375f;
    case SDL_HAT_DOWN: return 0.5f;
    case SDL_HAT_LEFTDOWN: return 0.625f;
    case SDL_HAT_LEFT: return 0.75f;
    case SDL_HAT_LEFTUP: return 0.875f;
    default: return -1.0f;
  }
}

bool JoystickButton(int port, int button) {
  SDL_Joystick* j = Stick(port);
  return j && button >= 0 && button < SDL_JoystickNumButtons(j) && SDL_JoystickGetButton(j, button);
}

}  // namespace plat
