#include "display/frame.h"

#include <string>

#include "app/closing_screen.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/common_assets.h"
#include "display/notices.h"
#include "display/screenshot.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/pause_menu.h"
#include "settings/settings_panel.h"

int FrameToggle = 0;
int MouseX = 0, MouseY = 0;
int PrevMouseX = 0, PrevMouseY = 0;
int LeftClick = 0, RightClick = 0;
uint32_t LastFrameTime = 0;
double FrameDeadline = 0;
int Fps = 0;
int DebugOverlayOn = 1;
long long GcCount = 0;
int PauseState = 0;
uint32_t GameStartTime = 0;

namespace {
constexpr double kFrameMs = 1000.0 / 60.0;

// Global keys, by Windows virtual-key code.
constexpr int kTab = 9, kEscape = 27, kF4 = 115, kF11 = 122, kF12 = 123, kLeftAlt = 164, kRightAlt = 165;

void DrawDebugOverlay() {
  plat::DrawText(std::to_string(Fps), 2, 2);
  plat::SetFont(FontSlots[2]);
  auto budget = [](int c) { return std::to_string(DrawCounts[c]) + "/" + std::to_string(DrawLimits[c]); };
  plat::DrawText("Collection : " + std::to_string(GcCount), 2, 40);
  plat::DrawText("Used Memory : " + std::to_string(plat::HeapBytesInUse()), 2, 60);
  plat::DrawText("Drawn Images : " + budget(1), 2, 80);
  plat::DrawText("Drawn Glow : " + budget(2), 2, 100);
  plat::DrawText("Drawn Particles : " + budget(3), 2, 120);
  plat::DrawText("Hit F12 to remove this", 2, 150);
}
}  // namespace

void MakeFrameState() {
  FrameToggle = 0;
  MouseX = MouseY = PrevMouseX = PrevMouseY = 0;
  LeftClick = RightClick = 0;
  LastFrameTime = 0;
  FrameDeadline = 0;
  Fps = 0;
  DebugOverlayOn = 1;
  GcCount = 0;
  PauseState = 0;
  GameStartTime = 0;
}

int NextFps(int fps, uint32_t frameMs) {
  // A frame can take no time at all when it ran late and skipped the wait.
  const int rate = static_cast<int>(1000 / (frameMs > 0 ? frameMs : 1));
  return (rate + 2 * fps) / 3;
}

double NextFrameDeadline(double previous, uint32_t now) {
  const double next = previous + kFrameMs;
  // Far ahead only when the clock wrapped round: waiting for it would hang.
  if (now - next > kFrameMs || next - now > 1000.0) return static_cast<double>(now);
  return next;
}

void BeginFrame(int clear) {
  if (clear == 1) plat::ClearScreen();
  for (int i = 1; i <= 10 && i < static_cast<int>(DrawCounts.size()); ++i) DrawCounts[i] = 0;
}

int EndFrame(int showPointer) {
  int result = 0;
  DrawScorePopups();

  if (plat::KeyHit(kTab)) {
    SettingsPanelOpen = 1 - SettingsPanelOpen;
    WriteSettings();
  }
  // C++ has no collector: the figure is the number of free chunks the heap
  // keeps for reuse, read on the frames slow-system mode drops.
  if (FrameToggle == 1) GcCount = plat::HeapFreeChunks();

  const bool shown = FrameToggle == 0 || Settings.SlowSystem == 0;
  if (shown) {
    if (plat::KeyHit(kF11)) TakeScreenshot();
    if (plat::KeyDown(kEscape) && PauseState == 1) {
      PauseState = 2;
      const uint32_t pausedAt = plat::Millis();
      result = PauseMenu();
      PauseState = 1;
      GameStartTime += plat::Millis() - pausedAt;
    }
  }

  SettingsPanel();

  ResetDrawState();
  SetDrawScale(1.5f, 1.5f);
  plat::SetFont(FontSlots[1]);
  if (plat::KeyHit(kF12)) DebugOverlayOn = 1 - DebugOverlayOn;
  if (DebugOverlayOn) DrawDebugOverlay();

  if (showPointer == 1 || SettingsPanelOpen == 1)
    plat::DrawImage(IconsSmooth, plat::MouseX() + 12, plat::MouseY() + 12, 63);

  PrevMouseX = MouseX;
  PrevMouseY = MouseY;
  MouseX = static_cast<int>(plat::MouseX());
  MouseY = static_cast<int>(plat::MouseY());
  LeftClick = plat::MouseHit(1);
  RightClick = plat::MouseHit(2);

  // Pacing: the deadline advances a whole frame at a time so the rate holds
  // at 60 whatever the rest of the frame end costs. The renderer gets the
  // frame's drawing first, to work on while we wait; 1 ms sleeps bring the
  // wait close and an absolute sleep ends it on the deadline itself, as
  // whole-millisecond sleeps alone would overshoot by up to two.
  FrameDeadline = NextFrameDeadline(FrameDeadline, plat::Millis());
  plat::FlushDrawing();
  while (plat::Millis() + 1 < FrameDeadline) plat::Sleep(1);
  plat::SleepUntil(FrameDeadline);

  DrawNotices();

  if (Settings.SlowSystem == 0 || FrameToggle == 0) plat::PresentFrame();

  const uint32_t now = plat::Millis();
  Fps = NextFps(Fps, now - LastFrameTime);
  LastFrameTime = now;
  FrameToggle = 1 - FrameToggle;

  const bool altF4 = plat::KeyDown(kF4) && (plat::KeyDown(kLeftAlt) || plat::KeyDown(kRightAlt));
  if (altF4 || plat::CloseRequested()) ClosingScreen();
  return result;
}
