#include "settings/controls.h"

#include "platform/platform.h"
#include "settings/joysticks.h"

std::vector<int> KeyBindings;

namespace {
constexpr float kAxisMargin = 0.3f;
constexpr int kFirstJoystickCode = 300, kLastJoystickCode = 499, kCodesPerJoystick = 50;
constexpr int kF11 = 122, kF12 = 123;

// Platform axis (0 X, 1 Y, 2 Z, 3 R, 4 U, 5 V) of each sub-code pair s / 2.
constexpr int kAxisOfPair[6] = {1, 0, 2, 4, 5, 3};

// Sub-codes of the hat directions, in the order detection tries them, with
// the exact position detection demands.
struct HatCode {
  int s;
  float position;
};
constexpr HatCode kHatCodes[4] = {{20, 0.0f}, {25, 0.25f}, {28, 0.5f}, {23, 0.75f}};

// Axis direction s (0-11): the lower sub-code of a pair is below rest.
bool AxisPastRest(const JoystickEntry& stick, int port, int s) {
  const int axis = kAxisOfPair[s / 2];
  const float value = plat::JoystickAxis(port, axis);
  const float rest = stick.rest[axis];
  return s % 2 == 0 ? value < rest - kAxisMargin : value > rest + kAxisMargin;
}

// The hat's reading ranges overlap, so a diagonal is in both directions.
bool HatInRange(float hat, int s) {
  switch (s) {
    case 20: return hat >= 0.0f && (hat > 0.8f || hat < 0.2f);
    case 25: return hat > 0.1f && hat < 0.4f;
    case 28: return hat > 0.3f && hat < 0.7f;
    case 23: return hat > 0.6f && hat < 0.9f;
    default: return false;
  }
}

// The joystick j, or nullptr when none was found there.
const JoystickEntry* FoundJoystick(int j) {
  if (j < 1 || j > JoystickCount || j >= static_cast<int>(Joysticks.size())) return nullptr;
  return &Joysticks[static_cast<size_t>(j)];
}

int JoystickInputHeld(const JoystickEntry& stick, int port, int s) {
  if (s >= 0 && s <= 11) return AxisPastRest(stick, port, s) ? 1 : 0;
  if (s >= 20 && s <= 29) return stick.hatUsable && HatInRange(plat::JoystickHat(port), s) ? 1 : 0;
  if (s >= 30 && s <= 49) return plat::JoystickButton(port, s - 30) ? 1 : 0;
  return 0;
}

// The first input of joystick j held, as a code, or 0.
int DetectJoystickInput(const JoystickEntry& stick, int j) {
  const int port = j - 1;
  const int base = kFirstJoystickCode + kCodesPerJoystick * (j - 1);
  for (int s = 0; s <= 11; ++s)
    if (AxisPastRest(stick, port, s)) return base + s;
  if (stick.hatUsable) {
    const float hat = plat::JoystickHat(port);
    for (const HatCode& h : kHatCodes)
      if (hat == h.position) return base + h.s;
  }
  for (int button = 0; button <= 18; ++button)
    if ((stick.buttonMask >> button & 1u) && plat::JoystickButton(port, button)) return base + 30 + button;
  return 0;
}

const char* const kSubCodeNames[12] = {"Y-", "Y+", "X-", "X+", "Z-", "Z+", "U-", "U+", "V-", "V+", "R-", "R+"};

struct KeyNameRun {
  int first;
  const char* names[26];
};
// Runs of consecutive codes and their names.
constexpr KeyNameRun kKeyNames[] = {
    {0, {"Pause", "Left Mousebutton", "Right Mousebutton", "Middle Mousebutton"}},
    {8, {"Backspace", "Tab"}},
    {12, {"Clear", "Return"}},
    {19, {"Pause", "CapsLock"}},
    {27, {"Escape"}},
    {32, {"Space", "Page Up", "Page Down", "End", "Home", "Left", "Up", "Right", "Down", "Select", "Print",
          "Execute", "Screen", "Insert", "Delete"}},
    {48, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {65, {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
          "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"}},
    {91, {"Sys Left", "Sys Right"}},
    // The keypad digits carry the same names as the main row.
    {96, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "+"}},
    {109, {"-", ".", "/", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"}},
    {144, {"NumLock", "ScrollLock"}},
    {160, {"LShift", "RShift", "LControl", "RControl", "LAlt", "RAlt"}},
    {173, {"Mute", "Volume Down", "Volume Up"}},
    {186, {";", "=", ",", "-", ".", "/", "'"}},
    {219, {"[", "\\", "]", "#", "`"}},
    {226, {"\\"}},
};

// The key table's own name for a code, or nullptr.
const char* OwnName(int code) {
  for (const KeyNameRun& run : kKeyNames) {
    const int offset = code - run.first;
    if (offset >= 0 && offset < 26 && run.names[offset]) return run.names[offset];
  }
  return nullptr;
}
}  // namespace

int DefaultKeyBinding(int index) {
  // Player 1: arrows for the directions, Z X C V for the buttons.
  switch (index) {
    case 0: return 38;
    case 3: return 37;
    case 5: return 39;
    case 8: return 40;
    case 10: return 90;
    case 11: return 88;
    case 12: return 67;
    case 13: return 86;
    default: return 0;
  }
}

void MakeKeyBindings() {
  KeyBindings.assign(101, 0);
  for (int i = 0; i < 101; ++i) KeyBindings[static_cast<size_t>(i)] = DefaultKeyBinding(i);
}

int ControlCodeHeld(int code) {
  if (code >= 10 && code <= 254 && plat::KeyDown(code)) return 1;
  if (code < kFirstJoystickCode || code > kLastJoystickCode) return 0;
  const int j = code / kCodesPerJoystick - 5, s = code % kCodesPerJoystick;
  const JoystickEntry* stick = FoundJoystick(j);
  if (!stick || !stick->enabled) return 0;
  return JoystickInputHeld(*stick, j - 1, s);
}

int ControlValue(int action, int player) {
  const int index = (player - 1) * 20 + action;
  if (index < 0 || index >= static_cast<int>(KeyBindings.size())) return 0;
  return ControlCodeHeld(KeyBindings[static_cast<size_t>(index)]);
}

int DetectControl() {
  if (plat::KeyDown(kF11) || plat::KeyDown(kF12)) return 0;
  for (int vk = 1; vk <= 255; ++vk)
    if (plat::KeyDown(vk)) return vk;
  for (int j = 1; j <= JoystickCount; ++j) {
    const JoystickEntry* stick = FoundJoystick(j);
    if (!stick || !stick->enabled) continue;
    if (const int code = DetectJoystickInput(*stick, j)) return code;
  }
  return 0;
}

bool KeyHasOwnName(int code) { return OwnName(code) != nullptr; }

std::string KeyName(int code) {
  if (const char* name = OwnName(code)) return name;
  const int s = code % kCodesPerJoystick;
  if (s >= 0 && s <= 11) return kSubCodeNames[s];
  switch (s) {
    case 20: return "Up";
    case 25: return "Right";
    case 28: return "Down";
    case 23: return "Left";
    default: return std::to_string(s - 30);
  }
}
