#include "platform/bench_reference.h"

#include <cmath>

#include "platform/fonts_internal.h"
#include "platform/images_internal.h"
#include "platform/internal.h"

namespace plat {
using namespace detail;

void BenchDrawPlainSprites(int image, int n, const float* xs, const float* ys, const float* angles,
                           float scale) {
  const ImageRec* img = FindImage(image);
  if (!img || !img->texture || !Scr.renderer) return;
  SDL_Texture* tex = img->texture;
  // A bare program sets the texture's modulation once, not per sprite.
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureColorMod(tex, 255, 255, 255);
  SDL_SetTextureAlphaMod(tex, 255);
  detail::ForgetTextureState();  // the framework's path must set its own state again
  const SDL_Rect src = CellRect(*img, 0);
  const float w = src.w * scale, h = src.h * scale;
  const SDL_FPoint centre{img->hx * scale, img->hy * scale};
  for (int i = 0; i < n; ++i) {
    const SDL_FRect dst{xs[i] - centre.x, ys[i] - centre.y, w, h};
    SDL_RenderCopyExF(Scr.renderer, tex, &src, &dst, angles[i], &centre, SDL_FLIP_NONE);
  }
}

void BenchDrawPlainText(int font, const std::string& text, float x, float y) {
  const FontRec* f = FindFont(font);
  if (!f || !f->atlas || !Scr.renderer) return;
  SDL_SetTextureBlendMode(f->atlas, SDL_BLENDMODE_BLEND);
  SDL_SetTextureColorMod(f->atlas, 255, 255, 255);
  SDL_SetTextureAlphaMod(f->atlas, 255);
  detail::ForgetTextureState();
  int pen = 0;
  for (unsigned char c : text) {
    const SDL_Rect& src = f->glyph[c];
    if (src.w > 0 && src.h > 0) {
      const SDL_FRect dst{x + static_cast<float>(pen + f->offsetX[c]),
                          y + static_cast<float>(f->offsetY[c]), static_cast<float>(src.w),
                          static_cast<float>(src.h)};
      SDL_RenderCopyF(Scr.renderer, f->atlas, &src, &dst);
    }
    pen += f->advance[c];
  }
}

void BenchFillRotatedRect(float x, float y, float w, float h, float degrees, int r, int g, int b,
                          bool blend) {
  if (!Scr.renderer) return;
  const float rad = degrees * static_cast<float>(M_PI) / 180.0f;
  const float c = std::cos(rad), s = std::sin(rad);
  const float px[4] = {0, w, w, 0}, py[4] = {0, 0, h, h};
  const SDL_Color colour{static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 255};
  SDL_Vertex v[4];
  for (int i = 0; i < 4; ++i)
    v[i] = SDL_Vertex{SDL_FPoint{x + px[i] * c - py[i] * s, y + px[i] * s + py[i] * c}, colour,
                      SDL_FPoint{0, 0}};
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  SDL_SetRenderDrawBlendMode(Scr.renderer, blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
  SDL_RenderGeometry(Scr.renderer, nullptr, v, 4, kIndices, 6);
}

}  // namespace plat
