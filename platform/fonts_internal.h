// The font table, shared by the built-in font and the TrueType loader.
#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <string>

namespace plat::detail {

struct FontRec {
  SDL_Texture* atlas = nullptr;
  std::array<SDL_Rect, 256> glyph{};   // where each Latin-1 glyph sits in the atlas
  std::array<int, 256> offsetX{};      // glyph's top-left relative to the pen, y from the line top
  std::array<int, 256> offsetY{};
  std::array<int, 256> advance{};
  int lineHeight = 0;
};

// Font 0 is the built-in font; it is rebuilt with every renderer.
FontRec* FindFont(int handle);
int AddFont(FontRec font);

}  // namespace plat::detail
