// The user's settings: one record of integer fields that every room may read.
// They persist in "Setup.ini" (settings_file.h).
#pragma once

struct SettingsRecord {
  int Fullscreen = 0;        // 1 full screen, 0 window
  int Widescreen = 0;        // 1 when the open display is 16:9 or 16:10; not saved
  int GfxEngine = 0;         // render back end: 0 OpenGL, 1 "DirectX 9", 2 "DirectX 7"
  int ResolutionIndex = 0;   // position of the current mode in the mode list; not saved
  int Width = 800;           // requested display size in pixels
  int Height = 600;
  int SlowSystem = 0;        // 1: every second frame dropped, low draw budgets
  int MasterVolume = 50;     // percent; may exceed 100 when the file says so
  int SoundVolume = 50;
  int MusicVolume = 50;      // shown and saved; no sound of this game follows it
  int AudioDriverIndex = 0;  // position (from 0) in the platform's audio driver list
};

// ---- whole run
extern SettingsRecord Settings;

// Resets Settings to the defaults above.
void MakeSettings();
