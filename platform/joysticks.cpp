// Joysticks through SDL's joystick API, opened once when first asked for:
// a joystick plugged in later is not seen until the next start. In test
// mode, attaching a virtual joystick opens the list afresh.
#include <cmath>
#include <vector>

#include "platform/internal.h"

namespace plat {
using detail::Run;

namespace {
// Instance ids rather than pointers: after SDL is shut down and started
// again (tests do that) an old id no longer resolves, where a pointer would
// dangle.
std::vector<SDL_JoystickID> Sticks;
bool Scanned = false;

bool ListIsStale() {
  for (SDL_JoystickID id : Sticks)
    if (!SDL_JoystickFromInstanceID(id)) return true;
  return false;
}

void Scan() {
  if (!Run.initialised) return;
  if (Scanned && !ListIsStale()) return;
  for (SDL_JoystickID id : Sticks)
    if (SDL_Joystick* j = SDL_JoystickFromInstanceID(id)) SDL_JoystickClose(j);
  Sticks.clear();
  Scanned = true;
  SDL_JoystickUpdate();
  const int n = SDL_NumJoysticks();
  for (int i = 0; i < n; ++i)
    if (SDL_Joystick* j = SDL_JoystickOpen(i)) Sticks.push_back(SDL_JoystickInstanceID(j));
}

SDL_Joystick* Stick(int port) {
  // Pump first: the test script that runs inside may attach a joystick.
  detail::PumpInput();
  Scan();
  if (port < 0 || port >= static_cast<int>(Sticks.size())) return nullptr;
  return SDL_JoystickFromInstanceID(Sticks[static_cast<size_t>(port)]);
}

// Hat positions clockwise from up, in eighths of a turn.
constexpr Uint8 kHatByEighth[8] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                                   SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP};
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
  // SDL reports -1 on failure; shifting by it would be undefined.
  if (n <= 0) return 0;
  return n >= 32 ? 0xFFFFFFFFu : (1u << n) - 1u;
}

float JoystickAxis(int port, int axis) {
  SDL_Joystick* j = Stick(port);
  if (!j || axis < 0 || axis >= SDL_JoystickNumAxes(j)) return 0.0f;
  // SDL's range is -32768..32767; the extra step below -1 is clamped off.
  const float v = SDL_JoystickGetAxis(j, axis) / 32767.0f;
  return v < -1.0f ? -1.0f : v;
}

float JoystickHat(int port) {
  SDL_Joystick* j = Stick(port);
  if (!j || SDL_JoystickNumHats(j) < 1) return -1.0f;
  const Uint8 hat = SDL_JoystickGetHat(j, 0);
  for (int eighth = 0; eighth < 8; ++eighth)
    if (hat == kHatByEighth[eighth]) return eighth / 8.0f;
  return -1.0f;
}

bool JoystickButton(int port, int button) {
  SDL_Joystick* j = Stick(port);
  return j && button >= 0 && button < SDL_JoystickNumButtons(j) && SDL_JoystickGetButton(j, button);
}

// ---- test mode: SDL virtual joysticks, so the real reading path runs
int TestAttachJoystick(const std::string& name, int axes, int buttons, int hats) {
  if (!Run.initialised) return -1;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  desc.naxes = static_cast<Uint16>(axes < 0 ? 0 : axes);
  desc.nbuttons = static_cast<Uint16>(buttons < 0 ? 0 : buttons);
  desc.nhats = static_cast<Uint16>(hats < 0 ? 0 : hats);
  desc.name = name.c_str();
  const int device = SDL_JoystickAttachVirtualEx(&desc);
  if (device < 0) return -1;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
  Scanned = false;
  Scan();
  for (size_t port = 0; port < Sticks.size(); ++port)
    if (Sticks[port] == id) return static_cast<int>(port);
  return -1;
}

void TestSetJoystickAxis(int port, int axis, float value) {
  SDL_Joystick* j = Stick(port);
  if (!j) return;
  const float clamped = value < -1.0f ? -1.0f : value > 1.0f ? 1.0f : value;
  SDL_JoystickSetVirtualAxis(j, axis, static_cast<Sint16>(std::lround(clamped * 32767.0f)));
  detail::PumpInput();
}

void TestSetJoystickHat(int port, float hat) {
  SDL_Joystick* j = Stick(port);
  if (!j) return;
  Uint8 value = SDL_HAT_CENTERED;
  if (hat >= 0.0f) value = kHatByEighth[std::lround(hat * 8.0f) % 8];
  SDL_JoystickSetVirtualHat(j, 0, value);
  detail::PumpInput();
}

void TestSetJoystickButton(int port, int button, bool down) {
  SDL_Joystick* j = Stick(port);
  if (!j) return;
  SDL_JoystickSetVirtualButton(j, button, down ? SDL_PRESSED : SDL_RELEASED);
  detail::PumpInput();
}

}  // namespace plat
