#include "app/front_end.h"

#include "app/closing_screen.h"
#include "audio/sfx.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "game/game_state.h"
#include "game/play_loop.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/settings_panel.h"

FrontEndState Front;

namespace {
constexpr int kEscape = 27;
// The actions that start a game from the title: the four buttons, up and down.
constexpr int kStartActions[6] = {10, 11, 12, 13, 0, 8};
// Keys and buttons that act once per press through TabLatch: 1, 2, 3, F1-F3.
constexpr int kTabKeys[6] = {49, 50, 51, 112, 113, 114};

bool AnyStartInput() {
  for (int player = 1; player <= 4; ++player)
    for (int action : kStartActions)
      if (ControlValue(action, player)) return true;
  return false;
}

void StartGame() {
  PlaySfx(98, 1.5f, 1, 0);
  PauseState = 1;
  plat::MoveMouse(static_cast<float>(VirtualWidth), static_cast<float>(VirtualHeight));
  GameStartTime = plat::Millis();
  PlayGame();
  PauseState = 0;
  Front.EscapeLatch = 1;
  Front.StartLatch = 1;
  Front.PanelSlide = 0;
}
}  // namespace

int FrontEndFrame() {
  BeginFrame(1);
  ResetDrawState();
  DrawBackdrop();

  if (Front.PanelSlide < 32) Front.PanelSlide += 1;
  Front.PanelWidth = DisplayWidth >= 900 ? 335 : 415;
  Front.PanelX = VirtualWidth - (Front.PanelWidth + 5) + 800 - 25 * Front.PanelSlide;

  // A start happens the frame after a start input goes down, and only once
  // every start input has been released since the last game or mode step.
  if (Front.StartHeld && !Front.StartLatch && SettingsPanelY < -250) StartGame();
  Front.StartHeld = AnyStartInput() ? 1 : 0;
  if (!Front.StartHeld) Front.StartLatch = 0;

  // This game has one mode: every step lands on 0 again.
  if (!Front.StartLatch && (ControlValue(0, 1) || ControlValue(0, 2))) {
    Front.StartLatch = 1;
    CurrentGameMode -= 1;
    PlaySfx(98, 0.95f, 1, 0);
    if (CurrentGameMode == -1) CurrentGameMode = 0;
  }
  if (!Front.StartLatch && (ControlValue(8, 1) || ControlValue(8, 2))) {
    Front.StartLatch = 1;
    CurrentGameMode += 1;
    PlaySfx(98, 1.05f, 1, 0);
    if (CurrentGameMode == 1) CurrentGameMode = 0;
  }

  bool tabInputsUp = !plat::MouseDown(1);
  for (int key : kTabKeys) tabInputsUp = tabInputsUp && !plat::KeyDown(key);
  if (tabInputsUp) Front.TabLatch = 0;

  EndFrame(1);

  if (!plat::KeyDown(kEscape)) Front.EscapeLatch = 0;
  if (!Front.EscapeLatch && plat::KeyDown(kEscape)) Front.QuitRequested = 1;
  return Front.QuitRequested;
}

void FrontEndLoop() {
  Front = FrontEndState{};
  while (!FrontEndFrame()) {
  }
  ClosingScreen();
}
