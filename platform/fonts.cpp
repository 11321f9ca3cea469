// Fonts: glyph atlases drawn glyph by glyph through the quad path. Font 0 is
// the built-in bitmap font, which never fails.
#include <memory>
#include <vector>

#include "platform/builtin_font.h"
#include "platform/fonts_internal.h"
#include "platform/internal.h"

namespace plat {
namespace detail {
namespace {
FontRec Builtin;
std::vector<std::unique_ptr<FontRec>> Fonts;  // handle n is Fonts[n - 1]
}  // namespace

FontRec* FindFont(int handle) {
  if (handle > 0 && handle <= static_cast<int>(Fonts.size()) && Fonts[handle - 1])
    return Fonts[handle - 1].get();
  return &Builtin;
}

int AddFont(FontRec font) {
  Fonts.push_back(std::make_unique<FontRec>(font));
  return static_cast<int>(Fonts.size());
}

void BuildBuiltinFont() {
  using namespace builtin;
  if (Builtin.atlas) SDL_DestroyTexture(Builtin.atlas);
  ForgetTextureState();
  Builtin = FontRec{};
  // 16 x 16 cells, one per Latin-1 code.
  const int w = kGlyphWidth * 16, h = kGlyphHeight * 16;
  std::vector<Uint32> pixels(static_cast<size_t>(w) * h, 0x00FFFFFFu);
  for (int ch = 0; ch < 256; ++ch) {
    const int cx = (ch % 16) * kGlyphWidth, cy = (ch / 16) * kGlyphHeight;
    const char* const* rows = Glyph(static_cast<unsigned char>(ch));
    for (int y = 0; y < kGlyphHeight; ++y)
      for (int x = 0; x < kGlyphWidth; ++x)
        if (rows[y][x] == '#') pixels[static_cast<size_t>(cy + y) * w + cx + x] = 0xFFFFFFFFu;
    Builtin.glyph[ch] = SDL_Rect{cx, cy, kGlyphWidth, kGlyphHeight};
    Builtin.advance[ch] = kGlyphWidth;
  }
  Builtin.lineHeight = kGlyphHeight;
  if (!Scr.renderer) return;
  Builtin.atlas =
      SDL_CreateTexture(Scr.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
  if (!Builtin.atlas) return;
  SDL_UpdateTexture(Builtin.atlas, nullptr, pixels.data(), w * 4);
  SDL_SetTextureScaleMode(Builtin.atlas, SDL_ScaleModeNearest);
}

void DropFonts() {
  for (auto& f : Fonts)
    if (f && f->atlas) SDL_DestroyTexture(f->atlas);
  Fonts.clear();
  if (Builtin.atlas) SDL_DestroyTexture(Builtin.atlas);
  ForgetTextureState();
  Builtin.atlas = nullptr;
  Draw.font = 0;
}
}  // namespace detail
using namespace detail;

void SetFont(int font) { Draw.font = FindFont(font) == FindFont(0) ? 0 : font; }
int GetFont() { return Draw.font; }

int TextWidth(const std::string& text) {
  const FontRec* f = FindFont(Draw.font);
  int width = 0;
  for (unsigned char c : text) width += f->advance[c];
  return width;
}

int TextHeight(const std::string&) { return FindFont(Draw.font)->lineHeight; }

void DrawText(const std::string& text, float x, float y) {
  const FontRec* f = FindFont(Draw.font);
  if (!f->atlas) return;
  // Every glyph turns about the text's own corner, so rotated and scaled
  // text stays one piece.
  int pen = 0;
  for (unsigned char c : text) {
    const SDL_Rect& src = f->glyph[c];
    if (src.w > 0 && src.h > 0)
      DrawQuad(f->atlas, src, x, y, static_cast<float>(-(pen + f->offsetX[c])),
               static_cast<float>(-f->offsetY[c]), Draw.sx, Draw.sy, Draw.rotation);
    pen += f->advance[c];
  }
}

}  // namespace plat
