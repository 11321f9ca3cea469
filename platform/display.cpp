// The window or full screen, the renderer behind it and the canvas stretched onto it.
#include <cstdio>

#include "platform/internal.h"

namespace plat {
namespace detail {
Screen Scr;

float WindowToCanvasX(float x) {
  int w = 0, h = 0;
  if (Scr.window) SDL_GetWindowSize(Scr.window, &w, &h);
  return w > 0 ? x * Scr.canvasW / w : x;
}
float WindowToCanvasY(float y) {
  int w = 0, h = 0;
  if (Scr.window) SDL_GetWindowSize(Scr.window, &w, &h);
  return h > 0 ? y * Scr.canvasH / h : y;
}
float CanvasToWindowX(float x) {
  int w = 0, h = 0;
  if (Scr.window) SDL_GetWindowSize(Scr.window, &w, &h);
  return Scr.canvasW > 0 && w > 0 ? x * w / Scr.canvasW : x;
}
float CanvasToWindowY(float y) {
  int w = 0, h = 0;
  if (Scr.window) SDL_GetWindowSize(Scr.window, &w, &h);
  return Scr.canvasH > 0 && h > 0 ? y * h / Scr.canvasH : y;
}
}  // namespace detail
using namespace detail;

namespace {
int ChosenBackend = 0;
std::string WindowTitle = "";

// SDL renderer names of the three back ends; "DirectX 9" is Direct3D where
// SDL has it and OpenGL ES 2 elsewhere.
const char* RendererFor(int backend) {
  switch (backend) {
    case 0: return "opengl";
#ifdef _WIN32
    case 1: return "direct3d";
#else
    case 1: return "opengles2";
#endif
    default: return "software";
  }
}

int RenderDriverIndex(const char* name) {
  const int n = SDL_GetNumRenderDrivers();
  for (int i = 0; i < n; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && SDL_strcmp(info.name, name) == 0) return i;
  }
  return -1;
}

SDL_Renderer* MakeRenderer(const char* name) {
  const int index = RenderDriverIndex(name);
  if (index < 0) return nullptr;
  Uint32 flags = SDL_strcmp(name, "software") == 0 ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED;
  return SDL_CreateRenderer(Scr.window, index, flags);
}

void ApplyCanvasScale() {
  if (!Scr.renderer) return;
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(Scr.renderer, &ow, &oh);
  if (ow <= 0 || oh <= 0 || Scr.canvasW <= 0 || Scr.canvasH <= 0) return;
  SDL_RenderSetScale(Scr.renderer, static_cast<float>(ow) / Scr.canvasW,
                     static_cast<float>(oh) / Scr.canvasH);
}
}  // namespace

void SelectGraphicsDriver(int backend) { ChosenBackend = backend; }

int CountDisplayModes() {
  if (Run.test.enabled && !Run.test.modes.empty()) return static_cast<int>(Run.test.modes.size());
  const int n = SDL_GetNumDisplayModes(0);
  return n > 0 ? n : 0;
}

DisplayMode GetDisplayMode(int index) {
  DisplayMode mode;
  if (Run.test.enabled && !Run.test.modes.empty()) {
    if (index >= 0 && index < static_cast<int>(Run.test.modes.size())) mode = Run.test.modes[index];
    return mode;
  }
  SDL_DisplayMode m;
  if (SDL_GetDisplayMode(0, index, &m) == 0) {
    mode.width = m.w;
    mode.height = m.h;
    mode.depth = static_cast<int>(SDL_BITSPERPIXEL(m.format));
    mode.refresh = m.refresh_rate;
  }
  return mode;
}

bool DisplayModeExists(int width, int height, int depth) {
  const int n = CountDisplayModes();
  for (int i = 0; i < n; ++i) {
    DisplayMode m = GetDisplayMode(i);
    if (m.width == width && m.height == height && m.depth == depth) return true;
  }
  return false;
}

bool OpenDisplay(int width, int height, int depth, int refresh) {
  CloseDisplay();
  Uint32 flags = SDL_WINDOW_SHOWN;
  if (depth > 0) flags |= SDL_WINDOW_FULLSCREEN;
  Scr.window = SDL_CreateWindow(WindowTitle.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                width, height, flags);
  if (!Scr.window) {
    std::fprintf(stderr, "SDL_CreateWindow failed: %s\n", SDL_GetError());
    return false;
  }
  if (depth > 0) {
    // Full screen at the mode of that size and depth whose refresh rate is nearest.
    SDL_DisplayMode best{};
    bool found = false;
    const int n = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
      if (m.w != width || m.h != height || static_cast<int>(SDL_BITSPERPIXEL(m.format)) != depth) continue;
      if (!found || SDL_abs(m.refresh_rate - refresh) < SDL_abs(best.refresh_rate - refresh)) best = m;
      found = true;
    }
    if (found) SDL_SetWindowDisplayMode(Scr.window, &best);
  }
  Scr.backend = ChosenBackend;
  Scr.fellBack = false;
  // Test mode always draws with the software renderer on the dummy display.
  const char* wanted = Run.test.enabled ? "software" : RendererFor(ChosenBackend);
  Scr.renderer = MakeRenderer(wanted);
  if (!Scr.renderer && SDL_strcmp(wanted, "software") != 0) {
    Scr.renderer = MakeRenderer("software");
    Scr.fellBack = Scr.renderer != nullptr;
  }
  if (!Scr.renderer) {
    std::fprintf(stderr, "SDL_CreateRenderer failed: %s\n", SDL_GetError());
    SDL_DestroyWindow(Scr.window);
    Scr.window = nullptr;
    return false;
  }
  SDL_RendererInfo info;
  Scr.rendererName = SDL_GetRendererInfo(Scr.renderer, &info) == 0 ? info.name : "";
  Scr.glFlush = nullptr;
  if (Scr.rendererName == "opengl" || Scr.rendererName == "opengles2")
    Scr.glFlush = reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFlush"));
  Scr.width = width;
  Scr.height = height;
  Scr.canvasW = width;
  Scr.canvasH = height;
  ApplyCanvasScale();
  CreateRendererResources();
  return true;
}

bool UsedRendererFallback() { return Scr.fellBack; }
const char* RendererName() { return Scr.rendererName.c_str(); }

void CloseDisplay() {
  DropRendererResources();
  if (Scr.renderer) SDL_DestroyRenderer(Scr.renderer);
  if (Scr.window) SDL_DestroyWindow(Scr.window);
  Scr.renderer = nullptr;
  Scr.window = nullptr;
  Scr.glFlush = nullptr;
}

bool DisplayIsOpen() { return Scr.renderer != nullptr; }

void SetWindowTitle(const std::string& title) {
  WindowTitle = title;
  if (Scr.window) SDL_SetWindowTitle(Scr.window, title.c_str());
}

void SetVirtualResolution(int width, int height) {
  Scr.canvasW = width > 0 ? width : 1;
  Scr.canvasH = height > 0 ? height : 1;
  ApplyCanvasScale();
}

void ClearScreen() {
  if (!Scr.renderer) return;
  SDL_SetRenderDrawColor(Scr.renderer, 0, 0, 0, 255);
  SDL_RenderClear(Scr.renderer);
}

void FlushDrawing() {
  if (!Scr.renderer) return;
  SDL_RenderFlush(Scr.renderer);
  // The GL back ends only queue the commands; glFlush makes the driver
  // start drawing them now rather than inside the present.
  if (Scr.glFlush) Scr.glFlush();
}

void PresentFrame() {
  if (Scr.renderer) {
    if (Run.test.enabled && Run.test.keepFrames)
      ReadBackBuffer(Scr.lastFrame, Scr.lastFrameW, Scr.lastFrameH);
    SDL_RenderPresent(Scr.renderer);
  }
  Scr.drawCalls = 0;
  FrameEnded();
  if (Run.test.enabled) {
    const int cost = Run.test.frameCost ? Run.test.frameCost() : Run.test.frameCostMs;
    Run.virtualMs += cost;
    ++Run.framesPresented;
  }
}

int DrawCallsThisFrame() { return Scr.drawCalls; }

bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!Scr.renderer) return false;
  SDL_GetRendererOutputSize(Scr.renderer, &width, &height);
  if (width <= 0 || height <= 0) return false;
  rgba.resize(static_cast<size_t>(width) * height * 4);
  // Read in display pixels: drop the canvas scale for the read.
  float sx = 1, sy = 1;
  SDL_RenderGetScale(Scr.renderer, &sx, &sy);
  SDL_RenderSetScale(Scr.renderer, 1, 1);
  const int rc = SDL_RenderReadPixels(Scr.renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, rgba.data(),
                                      width * 4);
  SDL_RenderSetScale(Scr.renderer, sx, sy);
  return rc == 0;
}

int TestFramesPresented() { return Run.framesPresented; }

uint32_t TestReadPixel(int canvasX, int canvasY) {
  if (Scr.lastFrame.empty() || Scr.canvasW <= 0 || Scr.canvasH <= 0) return 0;
  const int x = canvasX * Scr.lastFrameW / Scr.canvasW;
  const int y = canvasY * Scr.lastFrameH / Scr.canvasH;
  if (x < 0 || y < 0 || x >= Scr.lastFrameW || y >= Scr.lastFrameH) return 0;
  const uint8_t* p = &Scr.lastFrame[(static_cast<size_t>(y) * Scr.lastFrameW + x) * 4];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

}  // namespace plat
