// SDL scancodes to Windows virtual-key codes, by position on the keyboard.
// Left and right modifiers stay apart; the keypad keeps its own codes.
#include <array>

#include "platform/internal.h"

namespace plat {

namespace {
struct KeyPair {
  SDL_Scancode scancode;
  int vk;
};

constexpr KeyPair kKeys[] = {
    {SDL_SCANCODE_RETURN, 13}, {SDL_SCANCODE_ESCAPE, 27}, {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9}, {SDL_SCANCODE_SPACE, 32}, {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_EQUALS, 187}, {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_BACKSLASH, 220}, {SDL_SCANCODE_NONUSHASH, 222}, {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_APOSTROPHE, 192}, {SDL_SCANCODE_GRAVE, 223}, {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190}, {SDL_SCANCODE_SLASH, 191}, {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_PRINTSCREEN, 44}, {SDL_SCANCODE_SCROLLLOCK, 145}, {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_INSERT, 45}, {SDL_SCANCODE_HOME, 36}, {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_DELETE, 46}, {SDL_SCANCODE_END, 35}, {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_RIGHT, 39}, {SDL_SCANCODE_LEFT, 37}, {SDL_SCANCODE_DOWN, 40}, {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144}, {SDL_SCANCODE_KP_DIVIDE, 111}, {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_MINUS, 109}, {SDL_SCANCODE_KP_PLUS, 107}, {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_KP_0, 96}, {SDL_SCANCODE_KP_PERIOD, 110}, {SDL_SCANCODE_NONUSBACKSLASH, 226},
    {SDL_SCANCODE_APPLICATION, 93}, {SDL_SCANCODE_SELECT, 41}, {SDL_SCANCODE_EXECUTE, 43},
    {SDL_SCANCODE_CLEAR, 12}, {SDL_SCANCODE_KP_CLEAR, 12}, {SDL_SCANCODE_MUTE, 173},
    {SDL_SCANCODE_VOLUMEDOWN, 174}, {SDL_SCANCODE_VOLUMEUP, 175}, {SDL_SCANCODE_AUDIOMUTE, 173},
    {SDL_SCANCODE_LCTRL, 162}, {SDL_SCANCODE_LSHIFT, 160}, {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_LGUI, 91}, {SDL_SCANCODE_RCTRL, 163}, {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_RALT, 165}, {SDL_SCANCODE_RGUI, 92},
};

struct Tables {
  std::array<int, SDL_NUM_SCANCODES> toVk{};
  std::array<int, 256> toScancode{};
  Tables() {
    for (int i = 0; i < 26; ++i) toVk[SDL_SCANCODE_A + i] = 'A' + i;
    for (int i = 0; i < 9; ++i) toVk[SDL_SCANCODE_1 + i] = '1' + i;
    toVk[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 12; ++i) toVk[SDL_SCANCODE_F1 + i] = 112 + i;
    for (int i = 0; i < 12; ++i) toVk[SDL_SCANCODE_F13 + i] = 124 + i;
    for (int i = 0; i < 9; ++i) toVk[SDL_SCANCODE_KP_1 + i] = 97 + i;
    for (const KeyPair& k : kKeys)
      if (toVk[k.scancode] == 0) toVk[k.scancode] = k.vk;
    // The reverse map takes the first scancode of each code (main Return
    // before keypad Enter), for scripted input.
    for (int sc = SDL_NUM_SCANCODES - 1; sc > 0; --sc)
      if (toVk[sc] > 0 && toVk[sc] < 256) toScancode[toVk[sc]] = sc;
    toScancode[13] = SDL_SCANCODE_RETURN;
    toScancode[12] = SDL_SCANCODE_CLEAR;
    toScancode[173] = SDL_SCANCODE_MUTE;
  }
};

const Tables& Map() {
  static const Tables tables;
  return tables;
}
}  // namespace

int VirtualKeyOfScancode(int scancode) {
  if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return Map().toVk[scancode];
}

int ScancodeOfVirtualKey(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  return Map().toScancode[vk];
}

}  // namespace plat
