#include "display/display_setup.h"

#include <string>

#include "display/common_assets.h"
#include "display/debug_log.h"
#include "display/notices.h"
#include "game/game_assets.h"
#include "platform/platform.h"
#include "settings/settings.h"

std::vector<int> DisplayModeWidths;
std::vector<int> DisplayModeHeights;
int DisplayModeCount = 0;
int DisplayWidth = 800, DisplayHeight = 600;
int VirtualWidth = 1280, VirtualHeight = 960;
int DisplayOpen = 0;

namespace {
constexpr int kMaxModes = 2499;
const char* const kCrashMarker = "crash.dat";
const char* const kRule = "-=-=-=-=-=-=-=-=-=-=-=-=-=-";
}  // namespace

void MakeDisplayTables() {
  DisplayModeWidths.assign(kMaxModes + 1, 0);
  DisplayModeHeights.assign(kMaxModes + 1, 0);
  DisplayModeCount = 0;
  DisplayWidth = 800;
  DisplayHeight = 600;
  VirtualWidth = 1280;
  VirtualHeight = 960;
  DisplayOpen = 0;
}

std::vector<ModeSize> AcceptedModes(const std::vector<ModeSize>& platformModes, int wantW, int wantH,
                                    int* chosen) {
  std::vector<ModeSize> list;
  if (chosen) *chosen = 0;
  for (const ModeSize& m : platformModes) {
    const int w = m.width, h = m.height;
    if (h != w * 10 / 16 && h != w * 9 / 16 && h != w * 3 / 4) continue;
    bool seen = false;
    for (const ModeSize& l : list) seen = seen || (l.width == w && l.height == h);
    // The table has room for so many; a platform listing more is cut short.
    if (seen || static_cast<int>(list.size()) >= kMaxModes) continue;
    list.push_back(m);
    if (w == wantW && h == wantH && chosen) *chosen = static_cast<int>(list.size());
  }
  return list;
}

int ChooseCanvas(int displayW, int displayH, int* canvasW, int* canvasH) {
  if (displayH == displayW * 9 / 16) {
    *canvasW = 1600;
    *canvasH = 900;
    return 1;
  }
  if (displayH == displayW * 10 / 16) {
    *canvasW = 1440;
    *canvasH = 900;
    return 1;
  }
  *canvasW = 1280;
  *canvasH = 960;
  return 0;
}

void ApplyDisplaySettings() {
  // 1-2: the mode list, and the size actually used written back to Settings.
  std::vector<ModeSize> platformModes;
  const int n = plat::CountDisplayModes();
  for (int i = 0; i < n; ++i) {
    const plat::DisplayMode m = plat::GetDisplayMode(i);
    platformModes.push_back({m.width, m.height});
  }
  int chosen = 0;
  const std::vector<ModeSize> modes = AcceptedModes(platformModes, Settings.Width, Settings.Height, &chosen);
  if (DisplayModeWidths.size() < kMaxModes + 1) MakeDisplayTables();
  DisplayModeCount = static_cast<int>(modes.size());
  for (int i = 0; i < DisplayModeCount; ++i) {
    DisplayModeWidths[i + 1] = modes[i].width;
    DisplayModeHeights[i + 1] = modes[i].height;
  }
  if (chosen > 0) {
    Settings.ResolutionIndex = chosen;
    DisplayWidth = modes[chosen - 1].width;
    DisplayHeight = modes[chosen - 1].height;
  }
  Settings.Width = DisplayWidth;
  Settings.Height = DisplayHeight;

  DebugLog("");
  DebugLog(kRule);
  DebugLog("Applying Graphical Settings");
  if (DisplayOpen) {
    plat::CloseDisplay();
    DebugLog("\tChanged Graphics Mode ingame.");
  }

  // A set-up that died with OpenGL is retried with the second back end.
  if (plat::FileExists(kCrashMarker) && Settings.GfxEngine == 0) Settings.GfxEngine = 1;
  switch (Settings.GfxEngine) {
    case 0: DebugLog("\tUsing OpenGL Driver"); break;
    case 1: DebugLog("\tUsing DirectX 9 Driver"); break;
    case 2: DebugLog("\tUsing DirectX 7 Driver"); break;
    default: break;
  }
  plat::SelectGraphicsDriver(Settings.GfxEngine);

  int depth = 0;
  if (Settings.Fullscreen == 1) {
    for (int d : {32, 24, 16}) {
      if (plat::DisplayModeExists(DisplayWidth, DisplayHeight, d)) {
        depth = d;
        break;
      }
    }
    if (depth == 0) ShowNotice("Can't set to fullscreen in this resolution.");
  }
  DebugLog("\tResolution : " + std::to_string(DisplayWidth) + "x" + std::to_string(DisplayHeight) +
           "," + std::to_string(depth));

  plat::CreateEmptyFile(kCrashMarker);
  plat::OpenDisplay(DisplayWidth, DisplayHeight, depth, 60);
  if (plat::UsedRendererFallback())
    DebugLog(std::string("\tRenderer unavailable, using ") + plat::RendererName() + " instead");

  Settings.Widescreen = ChooseCanvas(DisplayWidth, DisplayHeight, &VirtualWidth, &VirtualHeight);
  if (VirtualWidth == 1600) DebugLog("\tWidescreen mode!");
  if (VirtualWidth == 1440) DebugLog("\tWidescreen mode B (10:16)!");
  plat::SetVirtualResolution(VirtualWidth, VirtualHeight);

  LoadCommonAssets();
  LoadGameAssets();

  DebugLog(kRule);
  plat::DeleteFile(kCrashMarker);
}
