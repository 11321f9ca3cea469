// The frame routine every screen's loop runs: BeginFrame opens a frame,
// EndFrame does what every frame needs whatever screen is showing: pop-ups,
// the settings panel and global keys, the debug overlay, the pointer and its
// captured state, pacing to 60 frames per second, notices, showing the
// frame, the frame rate and the window-close check.
#pragma once

#include <cstdint>

// ---- whole run
extern int FrameToggle;                  // flips every frame end; 1 = a dropped frame in slow-system mode
extern int MouseX, MouseY;               // pointer captured by the last frame end, canvas pixels
extern int PrevMouseX, PrevMouseY;
extern int LeftClick, RightClick;        // button presses since the previous poll
extern uint32_t LastFrameTime;           // Millis when the previous frame ended
extern double FrameDeadline;             // Millis the pacing waits for
extern int Fps;                          // smoothed frame rate
extern int DebugOverlayOn;
extern long long GcCount;
extern int PauseState;                   // 0 front end, 1 in a game, 2 pause menu open
extern uint32_t GameStartTime;

void MakeFrameState();

// Clears the back buffer when clear is 1, then resets the draw counts.
void BeginFrame(int clear);
// Closes the frame; returns the pause menu's result when one was opened, else 0.
int EndFrame(int showPointer);

// ---- the frame-end arithmetic, on its own for tests
// The smoothed rate after a frame of frameMs milliseconds.
int NextFps(int fps, uint32_t frameMs);
// The deadline after previous: one frame later, or now when the frame ran
// more than a whole frame late (so a stall is not made up with a burst) or
// the clock wrapped round.
double NextFrameDeadline(double previous, uint32_t now);
