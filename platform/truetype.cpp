// TrueType fonts rasterised anti-aliased by FreeType into one glyph atlas
// per font and size, covering Latin-1.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

#include "platform/fonts_internal.h"
#include "platform/internal.h"

namespace plat {
namespace {
FT_Library Library = nullptr;

bool StartFreeType() {
  if (!Library && FT_Init_FreeType(&Library) != 0) Library = nullptr;
  return Library != nullptr;
}

struct Bitmap {
  int width = 0, height = 0;
  std::vector<unsigned char> coverage;
};
}  // namespace

int LoadFont(const std::string& path, int pixelSize) {
  using detail::FontRec;
  if (!detail::Scr.renderer || pixelSize <= 0 || pixelSize > 1000 || !StartFreeType()) return 0;
  FT_Face face = nullptr;
  if (FT_New_Face(Library, path.c_str(), 0, &face) != 0) return 0;
  // The size asked for is the height of a line of text, as the framework's
  // layouts assume, not the em size: faces with tall ascenders and deep
  // descenders would otherwise spill into the next line.
  FT_UInt em = static_cast<FT_UInt>(pixelSize);
  if (face->height > 0 && face->height > face->units_per_EM)
    em = static_cast<FT_UInt>(static_cast<long>(pixelSize) * face->units_per_EM / face->height);
  if (em < 1) em = 1;
  if (FT_Set_Pixel_Sizes(face, 0, em) != 0) {
    FT_Done_Face(face);
    return 0;
  }
  // Faces whose capitals are tall for their line are brought down to the
  // proportions the layouts were drawn with: capitals about 62% of the size.
  if (FT_Load_Char(face, 'H', FT_LOAD_DEFAULT) == 0) {
    const double cap = face->glyph->metrics.height / 64.0;
    const double wanted = 0.62 * pixelSize;
    if (cap > wanted * 1.05) {
      em = static_cast<FT_UInt>(em * wanted / cap + 0.5);
      if (em < 1) em = 1;
      FT_Set_Pixel_Sizes(face, 0, em);
    }
  }
  FontRec font;
  const int ascender = static_cast<int>(face->size->metrics.ascender >> 6);
  const int descender = static_cast<int>(face->size->metrics.descender >> 6);
  font.lineHeight = ascender - descender;

  // Render every glyph first, then pack them in rows into an atlas about
  // as wide as it is high.
  std::vector<Bitmap> glyphs(256);
  long area = 0;
  for (int ch = 32; ch < 256; ++ch) {
    if (ch >= 127 && ch < 160) continue;
    if (FT_Load_Char(face, static_cast<FT_ULong>(ch), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    font.advance[ch] = static_cast<int>(slot->advance.x >> 6);
    font.offsetX[ch] = slot->bitmap_left;
    font.offsetY[ch] = ascender - slot->bitmap_top;
    Bitmap& b = glyphs[ch];
    b.width = static_cast<int>(slot->bitmap.width);
    b.height = static_cast<int>(slot->bitmap.rows);
    b.coverage.resize(static_cast<size_t>(b.width) * b.height);
    for (int y = 0; y < b.height; ++y)
      for (int x = 0; x < b.width; ++x)
        b.coverage[static_cast<size_t>(y) * b.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
    area += static_cast<long>(b.width + 2) * (b.height + 2);
  }
  FT_Done_Face(face);

  int atlasW = 64;
  while (static_cast<long>(atlasW) * atlasW < area) atlasW *= 2;
  int penX = 1, penY = 1, rowH = 0;
  for (int ch = 0; ch < 256; ++ch) {
    const Bitmap& b = glyphs[ch];
    if (b.width == 0) continue;
    if (penX + b.width + 1 > atlasW) {
      penX = 1;
      penY += rowH + 1;
      rowH = 0;
    }
    font.glyph[ch] = SDL_Rect{penX, penY, b.width, b.height};
    penX += b.width + 1;
    if (b.height > rowH) rowH = b.height;
  }
  const int atlasH = penY + rowH + 1;
  std::vector<Uint32> pixels(static_cast<size_t>(atlasW) * atlasH, 0x00FFFFFFu);
  for (int ch = 0; ch < 256; ++ch) {
    const Bitmap& b = glyphs[ch];
    const SDL_Rect& r = font.glyph[ch];
    for (int y = 0; y < b.height; ++y)
      for (int x = 0; x < b.width; ++x)
        pixels[static_cast<size_t>(r.y + y) * atlasW + r.x + x] =
            (Uint32{b.coverage[static_cast<size_t>(y) * b.width + x]} << 24) | 0x00FFFFFFu;
  }
  font.atlas = SDL_CreateTexture(detail::Scr.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                 atlasW, atlasH);
  if (!font.atlas) return 0;
  SDL_UpdateTexture(font.atlas, nullptr, pixels.data(), atlasW * 4);
  SDL_SetTextureBlendMode(font.atlas, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(font.atlas, SDL_ScaleModeLinear);
  return detail::AddFont(font);
}

}  // namespace plat
