// The assets the framework itself draws and plays, reloaded at every
// display set-up because images and fonts belong to the open display.
#pragma once

// ---- whole run, replaced at every display set-up
extern int IconsSmooth;     // "icons.png" in 64 cells of 16 x 16, smoothed when scaled; cell 63 the pointer
extern int IconsCrisp;      // the same sheet, crisp when scaled
extern int LogoImage;       // the framework's logo
extern int SiteLogoImage;   // the site's logo
extern int JingleSound;
extern int BadgeImages;     // 16 cells of 64 x 64
extern float FontScale;     // size factor of most fonts, from the display width

// The size factors and primary typeface for a display width.
struct FontChoice {
  float scale;        // most fonts
  float smallScale;   // font slots 2 and 3
  const char* primary;
};
FontChoice FontChoiceFor(int displayWidth);

// Loads fonts, icons, logos and the jingle from Common/, then badges and
// sound effects from the game's folder, then the score table. The first
// time it also shows a backdrop frame and starts the jingle.
void LoadCommonAssets();
