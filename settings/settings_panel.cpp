#include "settings/settings_panel.h"

#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"

int SettingsPanelOpen = 0;
int SettingsPanelY = -300;
int PlayerCount = 4;

void MakeSettingsPanelState() {
  SettingsPanelOpen = 0;
  SettingsPanelY = -300;
  PlayerCount = 4;
}

void SettingsPanel() {
  LeftClick = plat::MouseHit(1);
  RightClick = plat::MouseHit(2);
  if (SettingsPanelOpen && SettingsPanelY < 0) SettingsPanelY += 32;
  if (!SettingsPanelOpen && SettingsPanelY > -300) SettingsPanelY -= 32;
  if (SettingsPanelY <= -300) return;

  const int Y = SettingsPanelY;
  const float W = static_cast<float>(VirtualWidth);
  plat::SetFont(FontSlots[2]);
  ResetDrawState();
  SetBlendKind(2);
  SetDrawColour(40, 40, 40, 0.8f);
  plat::DrawRect(0, 0, W, static_cast<float>(Y + 300));
  SetBlendKind(1);
  SetDrawColour(80, 80, 80, 0.4f);
  plat::DrawRect(0, 0, W, static_cast<float>(Y + 298));
  SetDrawColour(180, 255, 180, 1);
  plat::DrawRect(0, static_cast<float>(Y + 298), W, 2);
  DrawCounts[1] = 0;
  DrawCounts[2] = 0;
}
