// The image table, shared by the platform's image loaders and drawing.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

namespace plat::detail {

struct ImageRec {
  SDL_Texture* texture = nullptr;
  int texW = 0, texH = 0;       // the whole sheet
  int cellW = 0, cellH = 0;     // one frame
  int first = 0, count = 1;     // frames are cells first .. first + count - 1, row by row
  float hx = 0, hy = 0;         // handle point within a frame
  std::vector<uint32_t> pixels; // the sheet as 0xAARRGGBB, for reads and overlap tests
};

ImageRec* FindImage(int handle);
// Takes the sheet's pixels; returns the new handle or 0.
int AddImage(int width, int height, std::vector<uint32_t> argb, bool filtered, int cellW, int cellH,
             int first, int count);
SDL_Rect CellRect(const ImageRec& img, int frame);

}  // namespace plat::detail
