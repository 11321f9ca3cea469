// The title screen's loop: it starts games and quits.
#pragma once

// ---- front-end loop: all start at 0 when the loop is entered
struct FrontEndState {
  int FrontPage = 0;      // 0 Hiscore, 2 About
  int PanelSlide = 0;     // 0-32, the title panel slides in over 32 frames
  int PanelWidth = 0;
  int PanelX = 0;
  int TabLatch = 0;       // a tab or "Play" reacted; cleared when every such input is up
  int StartHeld = 0;      // a start input was down in the previous frame
  int StartLatch = 0;     // no start until every start input has been released
  int EscapeLatch = 0;    // Escape does not quit until it has been released
  int QuitRequested = 0;
};
extern FrontEndState Front;

// One pass of the title screen; returns 1 when the player asked to quit.
int FrontEndFrame();
// Runs the title screen until the player quits, then the closing screen.
[[noreturn]] void FrontEndLoop();
