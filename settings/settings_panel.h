// The drop-down settings panel that Tab opens over any screen: display
// mode, full screen, frame-skipping and back end with "Apply", the four
// players' controls, the audio driver, the volumes and the joysticks.
#pragma once

#include <string>

// ---- whole run
extern int SettingsPanelOpen;   // toggled by Tab, cleared by "Apply"
extern int SettingsPanelY;      // -300 hidden .. 20 open, 32 pixels a frame
extern int PlayerCount;         // control blocks shown

void MakeSettingsPanelState();
// Slides and draws the panel and handles its widgets; called by the frame
// end once per frame. Every change is live in Settings at once.
void SettingsPanel();

// Cycles setting through the values that have labels (a label may hold two
// lines split by "|"; label0 "AUDIO" offers the audio drivers instead).
// Drawn at (x, y + SettingsPanelY); returns 1 while the pointer is over it.
int OptionSelector(int& setting, int x, int y, int iconBase, const std::string& label0,
                   const std::string& label1 = "", const std::string& label2 = "",
                   const std::string& label3 = "", const std::string& label4 = "",
                   const std::string& label5 = "");
// A 0-100 slider dragged with the left button held; returns the new value.
int VolumeSlider(int value, int x, int y, const std::string& label);
// The verdict on a display height against the canvas, and its colour.
const char* SizeVerdict(int height, int* r, int* g, int* b);
// The position after stepping by delta through count modes, wrapping round.
int StepModeIndex(int index, int delta, int count);
