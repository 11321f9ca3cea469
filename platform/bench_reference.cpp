#include "platform/bench_reference.h"

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

}  // namespace plat
