// Short-lived texts over every screen: notices stacked in the bottom-left
// corner, and score pop-ups that rise and fade where points were scored.
#pragma once

#include <list>
#include <string>

// One notice.
struct ment {
  int tick = 0;      // frame ends shown so far
  std::string txt;
  int c = 0;         // the caller's value, kept but not shown
};

// One score pop-up.
struct ore {
  int n = 0;              // the points shown
  float x = 0, y = 0;     // centre of the text, canvas pixels
  int t = 0;              // frames left
  int r = 0, g = 0, b = 0;
};

// ---- whole run: entries remove themselves when they expire
extern std::list<ment> NoticeList;
extern std::list<ore> PopupList;

void MakeNoticeLists();
void ShowNotice(const std::string& text, int c = 1);
// Adds the points to CurrentScore and queues a pop-up at (x, y).
void AddScorePopup(int points, int x, int y, int r, int g, int b);
// Moves, fades and draws the pop-ups; the frame end's first step.
void DrawScorePopups();
// Draws the notices upward from the bottom-left corner; the frame end's last drawing.
void DrawNotices();
