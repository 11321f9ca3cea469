// The draw state and the one transformed-quad path that carries every
// rectangle, line, glyph and sprite.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/internal.h"

namespace plat {
namespace detail {
DrawState Draw;

SDL_BlendMode SdlBlend() {
  switch (Draw.blend) {
    case BlendSolid: return SDL_BLENDMODE_NONE;
    case BlendShade: return SDL_BLENDMODE_MOD;
    case BlendLight: return SDL_BLENDMODE_ADD;
    default: return SDL_BLENDMODE_BLEND;
  }
}

namespace {
// What the last textured draw set on its texture.
struct TextureState {
  SDL_Texture* texture = nullptr;
  SDL_BlendMode mode = SDL_BLENDMODE_INVALID;
  int r = -1, g = -1, b = -1;
  Uint8 alpha = 0;
};
TextureState LastTexture;
}  // namespace

void ForgetTextureState() { LastTexture = TextureState{}; }

void DrawQuad(SDL_Texture* tex, const SDL_Rect& src, float x, float y, float hx, float hy,
              float sx, float sy, float rotation) {
  if (!Scr.renderer || !tex) return;
  const float w = src.w * std::fabs(sx);
  const float h = src.h * std::fabs(sy);
  if (w <= 0.0f || h <= 0.0f) return;
  // The source point (hx, hy) lands on (x, y); a negative scale mirrors about it.
  SDL_FRect dst;
  dst.x = sx >= 0 ? x - hx * sx : x + (src.w - hx) * sx;
  dst.y = sy >= 0 ? y - hy * sy : y + (src.h - hy) * sy;
  dst.w = w;
  dst.h = h;
  SDL_FPoint centre{x - dst.x, y - dst.y};
  int flip = SDL_FLIP_NONE;
  if (sx < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (sy < 0) flip |= SDL_FLIP_VERTICAL;

  // Sprites come in runs from one sheet in one colour: set the texture's
  // state only when it differs from what the last draw left on it.
  const SDL_BlendMode mode = SdlBlend();
  const Uint8 alpha = static_cast<Uint8>(Draw.alpha * 255.0f + 0.5f);
  if (tex != LastTexture.texture || mode != LastTexture.mode || Draw.r != LastTexture.r ||
      Draw.g != LastTexture.g || Draw.b != LastTexture.b || alpha != LastTexture.alpha) {
    SDL_SetTextureBlendMode(tex, mode);
    SDL_SetTextureColorMod(tex, static_cast<Uint8>(Draw.r), static_cast<Uint8>(Draw.g),
                           static_cast<Uint8>(Draw.b));
    SDL_SetTextureAlphaMod(tex, alpha);
    LastTexture = TextureState{tex, mode, Draw.r, Draw.g, Draw.b, alpha};
  }
  SDL_RenderCopyExF(Scr.renderer, tex, &src, &dst, rotation, &centre,
                    static_cast<SDL_RendererFlip>(flip));
  ++Scr.drawCalls;
}

void CreateRendererResources() { BuildBuiltinFont(); }

void DropRendererResources() {
  DropImages();
  DropFonts();
  ForgetTextureState();
}
}  // namespace detail
using namespace detail;

void SetColor(int r, int g, int b) {
  Draw.r = SDL_clamp(r, 0, 255);
  Draw.g = SDL_clamp(g, 0, 255);
  Draw.b = SDL_clamp(b, 0, 255);
}
void GetColor(int& r, int& g, int& b) {
  r = Draw.r;
  g = Draw.g;
  b = Draw.b;
}
void SetAlpha(float alpha) { Draw.alpha = alpha >= 0.0f ? (alpha <= 1.0f ? alpha : 1.0f) : 0.0f; }
float GetAlpha() { return Draw.alpha; }
void SetBlend(int blend) {
  if (blend >= BlendSolid && blend <= BlendLight) Draw.blend = blend;
}
int GetBlend() { return Draw.blend; }
void SetScale(float x, float y) {
  Draw.sx = x;
  Draw.sy = y;
}
float GetScaleX() { return Draw.sx; }
float GetScaleY() { return Draw.sy; }
void SetRotation(float degrees) { Draw.rotation = degrees; }
float GetRotation() { return Draw.rotation; }

namespace {
// An untextured quad through the geometry path: a large rotated rectangle
// costs only the pixels it covers on every renderer, where a stretched
// texture would make the software renderer rotate a huge surface.
void FillQuad(const SDL_FPoint (&corners)[4]) {
  if (!Scr.renderer) return;
  SDL_Color colour{static_cast<Uint8>(Draw.r), static_cast<Uint8>(Draw.g), static_cast<Uint8>(Draw.b),
                   static_cast<Uint8>(std::lround(Draw.alpha * 255.0f))};
  // The software renderer tests every pixel of a triangle's bounding box, so
  // a long thin rotated band (the backdrop's) would cost the whole screen.
  // It gets the band cut along its length into short pieces, and pieces off
  // the canvas are dropped; the pixels drawn are the same.
  int pieces = 1;
  const float lenX = corners[1].x - corners[0].x, lenY = corners[1].y - corners[0].y;
  const float thickX = corners[3].x - corners[0].x, thickY = corners[3].y - corners[0].y;
  const float length = std::sqrt(lenX * lenX + lenY * lenY);
  const float thickness = std::sqrt(thickX * thickX + thickY * thickY);
  if (Scr.rendererName == "software" && length > 4 * thickness) {
    const float piece = std::max(2 * thickness, 16.0f);
    pieces = std::min(static_cast<int>(std::ceil(length / piece)), 1024);
  }
  std::vector<SDL_Vertex> v;
  std::vector<int> indices;
  v.reserve(static_cast<size_t>(pieces) * 4);
  indices.reserve(static_cast<size_t>(pieces) * 6);
  for (int i = 0; i < pieces; ++i) {
    const float t0 = static_cast<float>(i) / pieces, t1 = static_cast<float>(i + 1) / pieces;
    const SDL_FPoint p[4] = {{corners[0].x + lenX * t0, corners[0].y + lenY * t0},
                             {corners[0].x + lenX * t1, corners[0].y + lenY * t1},
                             {corners[3].x + lenX * t1, corners[3].y + lenY * t1},
                             {corners[3].x + lenX * t0, corners[3].y + lenY * t0}};
    if (pieces > 1) {
      float minX = p[0].x, maxX = p[0].x, minY = p[0].y, maxY = p[0].y;
      for (const SDL_FPoint& q : p) {
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
      }
      if (maxX < 0 || maxY < 0 || minX > Scr.canvasW || minY > Scr.canvasH) continue;
    }
    const int base = static_cast<int>(v.size());
    for (const SDL_FPoint& q : p) v.push_back(SDL_Vertex{q, colour, SDL_FPoint{0, 0}});
    for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(base + k);
  }
  if (v.empty()) return;
  // An opaque colour blended by alpha is the colour itself: skip the blend.
  const bool opaque = Draw.blend == BlendAlpha && colour.a == 255;
  SDL_SetRenderDrawBlendMode(Scr.renderer, opaque ? SDL_BLENDMODE_NONE : SdlBlend());
  SDL_RenderGeometry(Scr.renderer, nullptr, v.data(), static_cast<int>(v.size()), indices.data(),
                     static_cast<int>(indices.size()));
  ++Scr.drawCalls;
}

// Corners of the box (0, 0)-(w, h) scaled, rotated about (x, y) and moved there.
void TransformedBox(float x, float y, float w, float h, float rotation, SDL_FPoint (&out)[4]) {
  const float rad = rotation * static_cast<float>(M_PI) / 180.0f;
  const float c = std::cos(rad), s = std::sin(rad);
  const float px[4] = {0, w, w, 0}, py[4] = {0, 0, h, h};
  for (int i = 0; i < 4; ++i) out[i] = SDL_FPoint{x + px[i] * c - py[i] * s, y + px[i] * s + py[i] * c};
}
}  // namespace

void DrawRect(float x, float y, float width, float height) {
  SDL_FPoint corners[4];
  TransformedBox(x, y, width * Draw.sx, height * Draw.sy, Draw.rotation, corners);
  FillQuad(corners);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  // The far end moves with the scale and rotation about the first end; the
  // line is one canvas pixel thick.
  const float rad = Draw.rotation * static_cast<float>(M_PI) / 180.0f;
  const float dx = (x2 - x1) * Draw.sx, dy = (y2 - y1) * Draw.sy;
  const float ex = dx * std::cos(rad) - dy * std::sin(rad);
  const float ey = dx * std::sin(rad) + dy * std::cos(rad);
  const float length = std::sqrt(ex * ex + ey * ey);
  const float angle = std::atan2(ey, ex) * 180.0f / static_cast<float>(M_PI);
  const float arad = angle * static_cast<float>(M_PI) / 180.0f;
  // Start half a pixel to the side so the line is centred on its ends.
  const float ox = 0.5f * std::sin(arad), oy = -0.5f * std::cos(arad);
  SDL_FPoint corners[4];
  TransformedBox(x1 + ox, y1 + oy, length > 1.0f ? length : 1.0f, 1.0f, angle, corners);
  FillQuad(corners);
}

}  // namespace plat
