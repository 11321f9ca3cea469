#include "display/notices.h"

#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "game/game_state.h"
#include "platform/platform.h"

std::list<ment> NoticeList;
std::list<ore> PopupList;

void MakeNoticeLists() {
  NoticeList.clear();
  PopupList.clear();
}

void ShowNotice(const std::string& text, int c) {
  ment m;
  m.txt = text;
  m.c = c;
  NoticeList.push_back(m);
}

void AddScorePopup(int points, int x, int y, int r, int g, int b) {
  CurrentScore += points;
  ore p;
  p.n = points;
  p.x = static_cast<float>(x);
  p.y = static_cast<float>(y);
  p.t = 120;
  p.r = r;
  p.g = g;
  p.b = b;
  PopupList.push_back(p);
}

void DrawScorePopups() {
  plat::SetFont(FontSlots[3]);
  ResetDrawState();
  for (auto it = PopupList.begin(); it != PopupList.end();) {
    it->t -= 1;
    it->y -= 0.25f;
    SetDrawColour(it->r, it->g, it->b, it->t / 120.0f);
    DrawTextAligned(static_cast<int>(it->x), static_cast<int>(it->y), std::to_string(it->n), 1, 1);
    it = it->t <= 0 ? PopupList.erase(it) : std::next(it);
  }
}

void DrawNotices() {
  SetDrawScale(1);
  SetDrawRotation(0);
  SetBlendKind(1);
  plat::SetFont(FontSlots[3]);
  int y = VirtualHeight - 16;
  for (auto it = NoticeList.begin(); it != NoticeList.end();) {
    it->tick += 1;
    const bool fresh = it->tick < 60;
    if (fresh)
      SetDrawColour(255, 255, 0, 0.7f);
    else
      SetDrawColour(0, 0, 0, 0.7f);
    plat::DrawRect(0, static_cast<float>(y), static_cast<float>(plat::TextWidth(it->txt)),
                   static_cast<float>(plat::TextHeight(it->txt)));
    if (fresh)
      SetDrawColour(0, 0, 0, 1);
    else
      SetDrawColour(255, 255, 255, 1);
    DrawTextAligned(0, y, it->txt, 0, 0);
    y -= 14;
    it = it->tick >= 180 ? NoticeList.erase(it) : std::next(it);
  }
}
