// The drop-down settings panel that Tab opens over any screen.
#pragma once

// ---- whole run
extern int SettingsPanelOpen;   // toggled by Tab, cleared by "Apply"
extern int SettingsPanelY;      // -300 hidden .. 20 open, 32 pixels a frame
extern int PlayerCount;         // control blocks shown

void MakeSettingsPanelState();
// Slides and draws the panel; called by the frame end once per frame.
void SettingsPanel();
