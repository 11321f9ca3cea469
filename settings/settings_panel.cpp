#include "settings/settings_panel.h"

#include "display/common_assets.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "settings/binding_widget.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

int SettingsPanelOpen = 0;
int SettingsPanelY = -300;
int PlayerCount = 4;

namespace {
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

// Draws a one- or two-line label, vertically centred on the selector's icon.
void DrawSelectorLabel(const std::string& label, int x, int y) {
  const size_t bar = label.find('|');
  if (bar == std::string::npos) {
    DrawTextAligned(x + 38, y + 16, label, 0, 1);
  } else {
    DrawTextAligned(x + 38, y + 8, label.substr(0, bar), 0, 1);
    DrawTextAligned(x + 38, y + 24, label.substr(bar + 1), 0, 1);
  }
}

void GraphicsColumn(int Y) {
  SetDrawColour(80, 255, 80);
  DrawTextAligned(20, Y + 4, "Graphics", 0, 0);
  OptionSelector(Settings.Fullscreen, 20, 30, 13, "Windowed", "Fullscreen");

  const int over = OptionSelector(Settings.Widescreen, 20, 70, 11, "Resolution");
  if (over || MouseInRect(20, 70 + Y, 200, 70)) {
    int delta = 0;
    if (plat::KeyHit(kRight) || plat::KeyHit(kUp) || LeftClick) delta = 1;
    if (plat::KeyHit(kLeft) || plat::KeyHit(kDown) || RightClick) delta = -1;
    if (delta != 0 && DisplayModeCount > 0) {
      Settings.ResolutionIndex = StepModeIndex(Settings.ResolutionIndex, delta, DisplayModeCount);
      Settings.Width = DisplayModeWidths[Settings.ResolutionIndex];
      Settings.Height = DisplayModeHeights[Settings.ResolutionIndex];
    }
  }

  SetDrawScale(1);
  DrawTextAligned(20, 108 + Y, std::to_string(Settings.Width) + "x" + std::to_string(Settings.Height), 0, 0);
  int r, g, b;
  const char* verdict = SizeVerdict(Settings.Height, &r, &g, &b);
  SetDrawColour(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
  DrawTextAligned(80, 108 + Y + 20, verdict, 0, 0);

  SetDrawColour(80, 255, 80);
  OptionSelector(Settings.SlowSystem, 20, 146, 18, "Draw all Frames|Decent System", "Frameskip|Slow System");
  OptionSelector(Settings.GfxEngine, 20, 184, 18, "OpenGL|Optimum", "DirectX 9|Alternative", "DirectX 7|Backup");

  SetDrawScale(1);
  SetDrawColour(0, 120, 0, 0.5f);
  const int w = plat::TextWidth("Apply") + 4, h = plat::TextHeight("Apply") + 4;
  bool apply = false;
  if (MouseInRect(18, Y + 258, w, h)) {
    plat::DrawRect(18, static_cast<float>(Y + 258), static_cast<float>(w), static_cast<float>(h));
    if (LeftClick) {
      LeftClick = 0;
      apply = true;
    }
  }
  SetDrawColour(80, 255, 80, 1);
  DrawTextAligned(20, Y + 260, "Apply", 0, 0);
  if (apply) {
    // Re-opening the display reloads every asset, in a game as on the title.
    SettingsPanelOpen = 0;
    WriteSettings();
    ApplyDisplaySettings();
  }
}

void AudioColumn(int Y) {
  const int x = VirtualWidth - 280;
  OptionSelector(Settings.AudioDriverIndex, x, 20, 24, "AUDIO");
  SetDrawScale(1);
  SetDrawColour(255, 180, 180, 1);
  DrawTextAligned(x, Y + 50, "Changes require a Restart", 0, 0);
  struct Slider {
    int* value;
    int y;
    const char* label;
  };
  const Slider sliders[] = {{&Settings.MasterVolume, 70, "Master Volume"},
                            {&Settings.SoundVolume, 120, "Sounds"},
                            {&Settings.MusicVolume, 170, "Music"}};
  for (const Slider& s : sliders) {
    *s.value = VolumeSlider(*s.value, x, Y + s.y, s.label);
    // Snap the ends, which a drag can hardly reach exactly.
    if (*s.value < 6) *s.value = 0;
    if (*s.value > 94) *s.value = 100;
  }
  JoystickEntries(x, Y + 230);
}
}  // namespace

void MakeSettingsPanelState() {
  SettingsPanelOpen = 0;
  SettingsPanelY = -300;
  PlayerCount = 4;
}

const char* SizeVerdict(int height, int* r, int* g, int* b) {
  if (height < 900) {
    *r = 255, *g = 180, *b = 80;
    return "Small (Bit blurry)";
  }
  if (height <= 960) {
    *r = 255, *g = 255, *b = 80;
    return "Native (Crisp, Clear)";
  }
  *r = 180, *g = 255, *b = 80;
  return "Bigger! (High-Definition!)";
}

int StepModeIndex(int index, int delta, int count) {
  if (count <= 0) return index;
  index += delta;
  if (index > count) index = 1;
  if (index < 1) index = count;
  return index;
}

int OptionSelector(int& setting, int x, int y, int iconBase, const std::string& label0, const std::string& label1,
                   const std::string& label2, const std::string& label3, const std::string& label4,
                   const std::string& label5) {
  std::string labels[6] = {label0, label1, label2, label3, label4, label5};
  if (label0 == "AUDIO") {
    for (int k = 0; k < 6; ++k)
      labels[k] = k < static_cast<int>(AudioDriverNames.size()) ? "Audio Driver|" + AudioDriverNames[k] : "";
  }
  int count = 1;
  for (int k = 1; k < 6; ++k)
    if (!labels[k].empty()) count = k + 1;
  const int value = setting;
  const std::string& shown = value >= 1 && value <= 5 && !labels[value].empty() ? labels[value] : labels[0];

  const int top = y + SettingsPanelY;
  SetDrawScale(1);
  plat::SetFont(FontSlots[2]);
  DrawSelectorLabel(shown, x, top);

  SetDrawScale(2);
  const int w = plat::TextWidth(shown.substr(0, shown.find('|')));
  if (MouseInRect(x, top, w + 38, 32)) {
    DrawGlowImage(IconsCrisp, x, top, iconBase + value, IconsSmooth, 1.1f, 0.8f);
    if (LeftClick) setting = (value + 1) % count;
    return 1;
  }
  DrawBudgetedImage(IconsCrisp, x, top, iconBase + value, 1);
  return 0;
}

int VolumeSlider(int value, int x, int y, const std::string& label) {
  SetDrawColour(80, 255, 80);
  SetDrawScale(3.1f, 1.5f);
  DrawBudgetedImage(IconsCrisp, x - 2, y, 21, 1);
  DrawBudgetedImage(IconsCrisp, x + 48, y, 22, 1);
  SetDrawColour(255, 80, 80);
  SetDrawScale(1, 1.5f);
  DrawBudgetedImage(IconsCrisp, x + value - 9, y, 23, 1);
  SetDrawColour(80, 180, 255);
  if (plat::MouseDown(1) && MouseInRect(x - 2, y - 4, 100, 24)) value = MouseX - (x - 2);
  SetDrawScale(1);
  DrawTextAligned(x, y + 20, label + " : " + std::to_string(value), 0, 0);
  return value;
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
  // The panel's icons are drawn whatever the scene under it used.
  DrawCounts[1] = 0;
  DrawCounts[2] = 0;

  GraphicsColumn(Y);
  const int corners[4][2] = {{250, 10}, {250, 160}, {650, 10}, {650, 160}};
  for (int p = 1; p <= PlayerCount && p <= 4; ++p) ControlBlock(p, corners[p - 1][0], Y + corners[p - 1][1]);
  AudioColumn(Y);
}
