#include "app/closing_screen.h"

#include "display/common_assets.h"
#include "display/debug_log.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "scores/score_table.h"
#include "settings/controls.h"
#include "settings/settings_file.h"

namespace {
struct FarewellLine {
  int offset;
  int r, g, b;
  const char* text;
};
constexpr FarewellLine kLines[] = {
    {40, 255, 255, 180, "Why not take the next few minutes to hop back to the site"},
    {80, 255, 255, 180, "where you found this game, and leave a comment."},
    {130, 255, 255, 180, "Good or bad, every little helps."},
    {180, 255, 210, 180, "There are so many wonderful homebrew communities"},
    {220, 255, 210, 180, "and developers out there, who bring you hundreds"},
    {260, 255, 210, 180, "of free games, every month."},
    {320, 255, 255, 180, "Give a little back."},
    {380, 180, 255, 255, "Feedback is King"},
};
constexpr int kF4 = 115, kLeftAlt = 164, kRightAlt = 165;

void DrawFarewell() {
  const int W = VirtualWidth, H = VirtualHeight;
  plat::ClearScreen();
  BeginFrame(1);
  DrawBackdrop();
  plat::DrawImage(LogoImage, 256, 256);
  plat::DrawImage(SiteLogoImage, static_cast<float>(W - 256), 256);
  SelectFont(1, 6);
  SetDrawColour(180, 255, 255);
  DrawTextAligned(W / 2, H / 2, "Thanks for Playing", 1, 1);
  SelectFont(2, 5);
  for (const FarewellLine& line : kLines) {
    SetDrawColour(static_cast<float>(line.r), static_cast<float>(line.g), static_cast<float>(line.b));
    DrawTextAligned(40, H / 2 + line.offset, line.text, 0, 0);
  }
  plat::PresentFrame();
}
}  // namespace

bool AnyInputHeld() {
  if (DetectControl() > 0) return true;
  if (plat::MouseDown(1) || plat::MouseDown(2)) return true;
  if (plat::KeyDown(kF4) && (plat::KeyDown(kLeftAlt) || plat::KeyDown(kRightAlt))) return true;
  return plat::CloseRequested();
}

void ClosingScreen() {
  plat::ShowPointer(true);
  WriteSettings();
  SaveScores();
  DebugLog("Closing Up");
  DebugLog("");
  DebugLog("Bye!");
  DebugLog("");
  DebugLog("Play again, soon!!");
  DrawFarewell();

  // Let go of whatever brought us here (about two seconds at most), then
  // wait for a fresh press.
  for (int i = 0; i < 120; ++i) {
    if (!AnyInputHeld()) break;
    plat::Sleep(16);
  }
  // A short sleep between tests keeps the farewell from burning a whole core
  // for as long as it stays on screen.
  while (!AnyInputHeld()) plat::Sleep(1);

  plat::CloseDisplay();
  CloseDebugLog();
  plat::EndProcess(0);
}
