#include "app/program.h"

#include "app/about_page.h"
#include "app/front_end.h"
#include "app/game_constants.h"
#include "audio/sfx.h"
#include "display/debug_log.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "display/notices.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/joysticks.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_panel.h"

namespace {
bool Entered = false;
const char* const kHyphens = "----------------------------";
}  // namespace

void MakeProgramTables() {
  MakeGameTables();
  for (int i = 0; i < 3; ++i) BackdropColour[i] = BackdropTarget[i] = (i == 0 ? 1.0f : i == 1 ? 0.0f : 0.2f);
  MakeAboutLines();
  MakeFrameState();
  MakeDrawBudgets();
  MakeSettings();
  MakeDisplayTables();
  MakeFontTables();
  MakeNoticeLists();
  MakeKeyBindings();
  MakeSoundTables();
  MakeSettingsPanelState();
  CurrentBest.assign(31, 0);
}

void StartUp() {
  plat::SetWindowTitle(WindowTitle);
  MakeProgramTables();
  plat::ShowPointer(false);
  LastFrameTime = plat::Millis();
  FrameDeadline = LastFrameTime;
  DetectJoysticks();

  // The log lives in Files/; without that folder nothing is logged.
  if (plat::ChangeDir(FilesFolder())) OpenDebugLog(FilesFolder() + "Debug.txt");
  DebugLog("Orvendal's Tumblestar Engine");
  DebugLog(kHyphens);
  DebugLog("Week #" + std::to_string(WeekNumber));
  DebugLog(kHyphens);
  DebugLog(WindowTitle);
  DebugLog(kHyphens);
  DebugLog("");
  DebugLog("Loading");

  ReadSettings();
  DebugLog("Grabbing Previous Scores");
  DebugLog("");
  plat::ChangeDir(FilesFolder() + GameFolder());

  const uint32_t loadingEnds = plat::Millis() + 2500;
  ApplyDisplaySettings();
  PlayerCount = 4;
  BadgesPerRow = 16;
  PauseState = 0;
  CurrentBest.assign(31, 0);
  DebugLog("Finished Loading");
  // The loading picture stays at least 2.5 seconds.
  while (plat::Millis() < loadingEnds) {
  }
}

void ProgramEntry() {
  if (Entered) return;
  Entered = true;
  StartUp();
  FrontEndLoop();
}

void AllowProgramReentry() { Entered = false; }
