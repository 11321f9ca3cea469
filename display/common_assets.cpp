#include "display/common_assets.h"

#include <cstdio>
#include <string>

#include "app/game_constants.h"
#include "audio/sfx.h"
#include "display/debug_log.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/platform.h"
#include "scores/score_table.h"
#include "settings/settings.h"

int IconsSmooth = 0;
int IconsCrisp = 0;
int LogoImage = 0;
int SiteLogoImage = 0;
int JingleSound = 0;
int BadgeImages = 0;
float FontScale = 1.0f;

FontChoice FontChoiceFor(int displayWidth) {
  FontChoice c{1.0f, 1.0f, displayWidth > 800 ? "November" : "SVBasicManual"};
  if (displayWidth < 600) {
    c.scale = 1.5f;
    c.smallScale = 2.0f;
  } else if (displayWidth < 900) {
    c.scale = 1.2f;
    c.smallScale = 1.4f;
  }
  return c;
}

namespace {
struct SlotFont {
  int face;      // 0 primary, 1 "Blue Highway", 2 "Acknowledge TT BRK"
  int size;
  int scaling;   // 0 none, 1 FontScale, 2 the second factor
};
constexpr SlotFont kSlots[14] = {
    {0, 0, 0},  {0, 24, 1}, {0, 16, 2}, {0, 16, 2}, {0, 20, 1},  {1, 96, 1}, {1, 72, 1},
    {1, 32, 1}, {0, 32, 1}, {0, 14, 1}, {2, 112, 0}, {2, 96, 0}, {2, 32, 0}, {2, 20, 0},
};
constexpr int kSizedPixels[9] = {8, 12, 18, 24, 32, 40, 52, 64, 96};

void LoadFonts() {
  const FontChoice choice = FontChoiceFor(DisplayWidth);
  FontScale = choice.scale;
  const std::string faces[3] = {std::string(choice.primary) + ".ttf", "Blue Highway.ttf",
                                "Acknowledge TT BRK.ttf"};
  for (int slot = 1; slot <= 13; ++slot) {
    const SlotFont& f = kSlots[slot];
    const float factor = f.scaling == 1 ? choice.scale : f.scaling == 2 ? choice.smallScale : 1.0f;
    FontSlots[slot] = plat::LoadFont(faces[f.face], static_cast<int>(f.size * factor));
  }
  for (int set = 1; set <= 3; ++set)
    for (int size = 0; size <= 8; ++size)
      SizedFonts[(set - 1) * 10 + size] =
          plat::LoadFont(faces[set - 1], static_cast<int>(kSizedPixels[size] * choice.scale));
}
}  // namespace

void LoadCommonAssets() {
  plat::SetAutoMidHandle(true);
  DebugLog("");
  DebugLog("Loading : Common Objects");
  DebugLog("");
  DebugLog("Switching to Default Folder");
  DebugLog("");
  // By absolute paths, so a missing folder cannot walk us out of the tree.
  plat::ChangeDir(FilesFolder() + "Common/");

  DebugLog("\tDefault Fonts");
  LoadFonts();
  DebugLog("\tDefault Icons");
  IconsSmooth = plat::LoadAnimImage("icons.png", 16, 16, 0, 64, true, true);
  IconsCrisp = plat::LoadAnimImage("icons.png", 16, 16, 0, 64, true, false);
  DebugLog("\tLogos");
  LogoImage = plat::LoadImage("logo.png", true, true);
  SiteLogoImage = plat::LoadImage("Kelpnest.png", true, true);
  DebugLog("\tBadgeGet");
  JingleSound = plat::LoadSound("open.ogg");

  if (DisplayOpen == 0) {
    BeginFrame(1);
    DrawBackdrop();
    const int channel = plat::AllocChannel();
    if (channel != 0 && JingleSound != 0) {
      plat::CueSound(JingleSound, channel);
      ChannelSlots[256] = channel;
      plat::SetChannelVolume(channel, static_cast<int64_t>(Settings.SoundVolume) * Settings.MasterVolume / 100.0f / 100.0f);
      plat::ResumeChannel(channel);
    }
    plat::PresentFrame();
    DisplayOpen = 1;
  }

  DebugLog("");
  DebugLog("Switching to Game Folder");
  plat::ChangeDir(FilesFolder() + GameFolder());
  BadgeImages = plat::LoadAnimImage("badges.png", 64, 64, 0, 16, true, true);

  DebugLog("");
  DebugLog("Loading Sound effects");
  for (int n = 1; n <= 200; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.wav", n);
    if (plat::FileExists(name)) {
      DebugLog("\tSFX(" + std::to_string(n) + ")");
      SfxSounds[n] = plat::LoadSound(name);
    }
  }
  DebugLog("Sounds loaded");
  DebugLog("");
  LoadScores();
}
