// Pixel art as text: a palette of one-character colours and a sheet of
// fixed-size cells, each drawn as rows of those characters.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tools {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct PixelSheet {
  int columns = 1, rows = 1;           // cells across and down
  int cellWidth = 0, cellHeight = 0;   // in grid characters
  int scale = 1;                       // each grid character becomes scale x scale pixels
  std::map<char, Rgba> palette;
  std::vector<Rgba> pixels;            // grid resolution, row-major, columns*cellWidth wide
  int Width() const { return columns * cellWidth; }
  int Height() const { return rows * cellHeight; }
};

// Reads "C RRGGBB" / "C RRGGBBAA" / "C transparent" lines into `palette`.
// On failure returns false with "file:line: reason" in `error`.
bool ReadPalette(const std::string& path, std::map<char, Rgba>& palette, std::string& error);

// Parses a sheet source. Relative palette paths are taken from the folder
// of `path`. Any malformed line fails the whole sheet with "file:line: reason".
bool ReadSheet(const std::string& path, PixelSheet& sheet, std::string& error);
bool ParseSheet(const std::string& text, const std::string& name, const std::string& folder,
                PixelSheet& sheet, std::string& error);

// The sheet at output resolution (scale applied), RGBA row-major.
std::vector<uint8_t> RenderSheet(const PixelSheet& sheet);

}  // namespace tools
