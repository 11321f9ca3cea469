// The backdrop: diagonal bands, each a step brighter than the one above,
// tinted by a colour that eases toward its target.
#include <cmath>

#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "platform/platform.h"

float BackdropColour[3] = {1.0f, 0.0f, 0.2f};
float BackdropTarget[3] = {1.0f, 0.0f, 0.2f};

void DrawBackdrop() {
  ResetDrawState();
  for (int i = 0; i < 3; ++i) {
    BackdropColour[i] -= (BackdropColour[i] - BackdropTarget[i]) / 16.0f;
    if (std::fabs(BackdropColour[i] - BackdropTarget[i]) < 0.005f) BackdropColour[i] = BackdropTarget[i];
  }
  SetDrawRotation(-45);
  int brightness = 25;
  for (int i = 0; i <= VirtualHeight; i += 10) {
    brightness += 1;
    SetDrawColour(brightness * BackdropColour[0], brightness * BackdropColour[1],
                  brightness * BackdropColour[2]);
    plat::DrawRect(-100, static_cast<float>(3 * i), static_cast<float>(VirtualWidth + 1800), 30);
  }
  ResetDrawState();
}
