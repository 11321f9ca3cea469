// Keyboard, mouse, typed characters and window-close requests. Every query
// pumps SDL's queue first, so a busy wait that only reads a key sees it change.
#include <array>
#include <deque>

#include "platform/internal.h"

namespace plat {
namespace detail {
namespace {
// Virtual-key codes 1-3 report the mouse buttons, as the key table names them.
std::array<bool, 256> KeyHeld{};
std::array<int, 256> KeyHits{};
std::array<bool, 4> ButtonHeld{};
std::array<int, 4> ButtonHits{};
float PointerX = 0, PointerY = 0;  // window pixels
std::deque<int> Typed;
bool CloseAsked = false;
bool Pumping = false;
std::array<bool, 256> ScriptKeys{};  // what the test script last set
// A key or button pressed and released between two frame ends would never
// be seen held; its release waits for the next frame end.
std::array<bool, 256> PressedThisFrame{};
std::array<bool, 256> ReleaseAtFrameEnd{};

void SetHeld(int code, bool down) {
  if (down) {
    if (!KeyHeld[code]) ++KeyHits[code];
    KeyHeld[code] = true;
    PressedThisFrame[code] = true;
    ReleaseAtFrameEnd[code] = false;
  } else if (PressedThisFrame[code]) {
    ReleaseAtFrameEnd[code] = true;
  } else {
    KeyHeld[code] = false;
  }
}

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

void SetButton(int b, bool down) {
  if (b <= 0) return;
  if (down && !ButtonHeld[b]) ++ButtonHits[b];
  SetHeld(b, down);
  ButtonHeld[b] = KeyHeld[b];
}

// Latin-1 code of the first character of UTF-8 text, 0 when it has none.
int FirstCharacter(const char* utf8) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  if (s[0] < 0x80) return s[0];
  if ((s[0] & 0xE0) == 0xC0 && (s[1] & 0xC0) == 0x80) {
    const int cp = ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    return cp < 256 ? cp : 0;
  }
  return 0;
}
}  // namespace

void FrameEnded() {
  for (int code = 1; code < 256; ++code) {
    if (ReleaseAtFrameEnd[code]) {
      KeyHeld[code] = false;
      if (code <= 3) ButtonHeld[code] = false;
    }
    ReleaseAtFrameEnd[code] = false;
    PressedThisFrame[code] = false;
  }
}

void ResetInput() {
  KeyHeld.fill(false);
  KeyHits.fill(0);
  ButtonHeld.fill(false);
  ButtonHits.fill(0);
  Typed.clear();
  CloseAsked = false;
  ScriptKeys.fill(false);
  PressedThisFrame.fill(false);
  ReleaseAtFrameEnd.fill(false);
}

void PumpInput() {
  if (Pumping || !Run.initialised) return;
  // Asking the window system costs about 16 us, and a scan of every key
  // asks 255 times: pump at most once a millisecond, still soon enough for
  // a wait that only polls a key.
  static Uint64 lastPumpTick = ~Uint64{0};
  const Uint64 tick = SDL_GetTicks64();
  if (!Run.test.enabled && tick == lastPumpTick) return;
  lastPumpTick = tick;
  Pumping = true;
  if (Run.test.enabled && Run.test.script) Run.test.script();
  SDL_PumpEvents();
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT: CloseAsked = true; break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) CloseAsked = true;
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const int vk = VirtualKeyOfScancode(e.key.keysym.scancode);
        if (vk <= 0 || vk > 255) break;
        // vk 1-3 are the mouse buttons; keys never map there.
        if (vk > 3) SetHeld(vk, e.type == SDL_KEYDOWN);
        break;
      }
      case SDL_TEXTINPUT:
        for (const char* p = e.text.text; *p;) {
          const int ch = FirstCharacter(p);
          if (ch) Typed.push_back(ch);
          // Step over one UTF-8 sequence.
          ++p;
          while ((static_cast<unsigned char>(*p) & 0xC0) == 0x80) ++p;
        }
        break;
      case SDL_MOUSEMOTION:
        PointerX = static_cast<float>(e.motion.x);
        PointerY = static_cast<float>(e.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        PointerX = static_cast<float>(e.button.x);
        PointerY = static_cast<float>(e.button.y);
        SetButton(ButtonIndex(e.button.button), e.type == SDL_MOUSEBUTTONDOWN);
        break;
      default: break;
    }
  }
  Pumping = false;
}
}  // namespace detail
using namespace detail;

bool KeyDown(int vk) {
  PumpInput();
  return vk > 0 && vk < 256 && KeyHeld[vk];
}

int KeyHit(int vk) {
  PumpInput();
  if (vk <= 0 || vk >= 256) return 0;
  const int hits = KeyHits[vk];
  KeyHits[vk] = 0;
  return hits;
}

void FlushKeys() {
  PumpInput();
  KeyHits.fill(0);
  ButtonHits.fill(0);
  Typed.clear();
}

bool MouseDown(int button) {
  PumpInput();
  return button >= 1 && button <= 3 && ButtonHeld[button];
}

int MouseHit(int button) {
  PumpInput();
  if (button < 1 || button > 3) return 0;
  const int hits = ButtonHits[button];
  ButtonHits[button] = 0;
  return hits;
}

float MouseX() {
  PumpInput();
  return WindowToCanvasX(PointerX);
}

float MouseY() {
  PumpInput();
  return WindowToCanvasY(PointerY);
}

void MoveMouse(float x, float y) {
  PointerX = CanvasToWindowX(x);
  PointerY = CanvasToWindowY(y);
  if (Scr.window && !Run.test.enabled)
    SDL_WarpMouseInWindow(Scr.window, static_cast<int>(PointerX), static_cast<int>(PointerY));
}

void ShowPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

int GetTypedChar() {
  PumpInput();
  if (Typed.empty()) return 0;
  const int ch = Typed.front();
  Typed.pop_front();
  return ch;
}

bool CloseRequested() {
  PumpInput();
  const bool asked = CloseAsked;
  CloseAsked = false;
  return asked;
}

// ---- scripted input: real SDL events, so the event path is the one tested
void TestSetKey(int vk, bool down) {
  if (vk <= 0 || vk > 255) return;
  if (vk <= 3) {
    TestSetMouseButton(vk, down);
    return;
  }
  const int sc = ScancodeOfVirtualKey(vk);
  if (sc == 0) return;
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.scancode = static_cast<SDL_Scancode>(sc);
  e.key.keysym.sym = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(sc));
  // Only a change of state is an event, so scripts may set a key every pump.
  if (ScriptKeys[vk] == down) return;
  ScriptKeys[vk] = down;
  SDL_PushEvent(&e);
}

void TestSetMouse(float canvasX, float canvasY) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = static_cast<Sint32>(CanvasToWindowX(canvasX) + 0.5f);
  e.motion.y = static_cast<Sint32>(CanvasToWindowY(canvasY) + 0.5f);
  SDL_PushEvent(&e);
}

void TestSetMouseButton(int button, bool down) {
  if (button < 1 || button > 3 || ScriptKeys[button] == down) return;
  ScriptKeys[button] = down;
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button == 1 ? SDL_BUTTON_LEFT : button == 2 ? SDL_BUTTON_RIGHT : SDL_BUTTON_MIDDLE;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = static_cast<Sint32>(PointerX);
  e.button.y = static_cast<Sint32>(PointerY);
  SDL_PushEvent(&e);
}

void TestTypeChar(int ch) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  if (ch < 0x80) {
    e.text.text[0] = static_cast<char>(ch);
  } else {
    e.text.text[0] = static_cast<char>(0xC0 | (ch >> 6));
    e.text.text[1] = static_cast<char>(0x80 | (ch & 0x3F));
  }
  SDL_PushEvent(&e);
}

void TestRequestClose() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

}  // namespace plat
