// State shared by the platform's own files; never included outside platform/.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plat::detail {

// ---- whole run
struct Runtime {
  bool initialised = false;
  TestMode test;                 // test.enabled in test mode
  double virtualMs = 100000.0;   // the test mode's clock
  int framesPresented = 0;
  std::string programFolder;
};
extern Runtime Run;

// ---- one display
struct Screen {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  int backend = 0;
  bool fellBack = false;
  std::string rendererName;
  int width = 800, height = 600;          // display pixels
  int canvasW = 800, canvasH = 600;       // virtual resolution
  int drawCalls = 0;
  void (*glFlush)() = nullptr;            // the GL back ends' glFlush, else none
  std::vector<uint8_t> lastFrame;         // test mode: the last presented frame
  int lastFrameW = 0, lastFrameH = 0;
};
extern Screen Scr;

// ---- draw state: persists across frames until set again
struct DrawState {
  int r = 255, g = 255, b = 255;
  float alpha = 1.0f;
  int blend = BlendAlpha;
  float sx = 1.0f, sy = 1.0f;
  float rotation = 0.0f;
  int font = 0;
};
extern DrawState Draw;

// Draws texture part src as a quad whose point (hx, hy) of src (in source
// pixels) lands at (x, y), scaled by (sx, sy) and rotated about that point.
// Uses the current colour, alpha and blend.
void DrawQuad(SDL_Texture* tex, const SDL_Rect& src, float x, float y, float hx, float hy,
              float sx, float sy, float rotation);

SDL_BlendMode SdlBlend();

// Forgets which texture the last draw set up; called whenever a texture is
// destroyed, since a new one may take its address.
void ForgetTextureState();

// Called when a renderer is made or dropped: textures of the old one are gone.
void CreateRendererResources();
void DropRendererResources();
void DropImages();
void DropFonts();
void BuildBuiltinFont();

// Input: processes SDL's queue (and the test script) into the key tables.
void PumpInput();
void ResetInput();
// Applies the releases that waited for the frame end.
void FrameEnded();

// Closes the audio output; every sound and channel handle is gone after it.
void CloseAudio();

// Converts window pixels to canvas pixels and back.
float WindowToCanvasX(float x);
float WindowToCanvasY(float y);
float CanvasToWindowX(float x);
float CanvasToWindowY(float y);

}  // namespace plat::detail
