// Opening the display from the settings, and the two notions of size: the
// display mode (real pixels) and the virtual canvas every room draws on.
#pragma once

#include <vector>

// ---- whole run
// Accepted display modes, positions 1-2499 (0 holds nothing), rebuilt at
// every ApplyDisplaySettings.
extern std::vector<int> DisplayModeWidths;
extern std::vector<int> DisplayModeHeights;
extern int DisplayModeCount;
extern int DisplayWidth, DisplayHeight;   // the mode actually opened
extern int VirtualWidth, VirtualHeight;   // the canvas
extern int DisplayOpen;                   // 1 once the display and common assets are up

// Makes the mode tables and resets the sizes to their start values.
void MakeDisplayTables();

struct ModeSize {
  int width, height;
};
// The mode list from the platform's modes: 4:3, 16:9 and 16:10 sizes, each
// size once at its first occurrence. Sets *chosen to the 1-based position
// of the requested size, 0 when it is not there.
std::vector<ModeSize> AcceptedModes(const std::vector<ModeSize>& platformModes, int wantW, int wantH,
                                    int* chosen);
// The canvas for a display size; returns the Widescreen flag.
int ChooseCanvas(int displayW, int displayH, int* canvasW, int* canvasH);

// Closes any open display and opens the one Settings describes, then reloads
// every asset. Logs its steps; a failing driver leaves "crash.dat" behind.
void ApplyDisplaySettings();
