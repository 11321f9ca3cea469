#include "tools/pixel_sheet.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace tools {

namespace {

std::string Located(const std::string& name, int line, const std::string& reason) {
  return name + ":" + std::to_string(line) + ": " + reason;
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool ParseHex(const std::string& word, Rgba& colour) {
  if (word == "transparent") {
    colour = Rgba{};
    return true;
  }
  if (word.size() != 6 && word.size() != 8) return false;
  for (char c : word) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  unsigned long v = std::stoul(word, nullptr, 16);
  if (word.size() == 6) v = (v << 8) | 0xff;
  colour = Rgba{static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  // Fully transparent pixels are stored black, so a loader that keys on
  // black sees the same shape as one that reads alpha.
  if (colour.a == 0) colour = Rgba{};
  return true;
}

// "C COLOUR" with C any printable character but space and '#', which starts
// a comment.
bool ParseColourLine(const std::string& line, char& key, Rgba& colour) {
  if (line.size() < 3 || line[1] != ' ' || line[0] == ' ' || line[0] == '#') return false;
  std::istringstream words(line.substr(2));
  std::string hex, extra;
  if (!(words >> hex) || (words >> extra && extra[0] != '#')) return false;
  key = line[0];
  return ParseHex(hex, colour);
}

bool IsBlankOrComment(const std::string& line) {
  size_t i = line.find_first_not_of(" \t");
  return i == std::string::npos || line[i] == '#';
}

}  // namespace

bool ReadPalette(const std::string& path, std::map<char, Rgba>& palette, std::string& error) {
  std::string text;
  if (!ReadFile(path, text)) {
    error = path + ": cannot read palette";
    return false;
  }
  int number = 0;
  for (const std::string& line : SplitLines(text)) {
    ++number;
    if (IsBlankOrComment(line)) continue;
    char key = 0;
    Rgba colour;
    if (!ParseColourLine(line, key, colour)) {
      error = Located(path, number, "expected 'C RRGGBB', 'C RRGGBBAA' or 'C transparent'");
      return false;
    }
    palette[key] = colour;
  }
  return true;
}

bool ReadSheet(const std::string& path, PixelSheet& sheet, std::string& error) {
  std::string text;
  if (!ReadFile(path, text)) {
    error = path + ": cannot read sheet";
    return false;
  }
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  return ParseSheet(text, path, folder, sheet, error);
}

bool ParseSheet(const std::string& text, const std::string& name, const std::string& folder,
                PixelSheet& sheet, std::string& error) {
  sheet = PixelSheet{};
  sheet.palette['.'] = Rgba{};
  const std::vector<std::string> lines = SplitLines(text);
  bool haveShape = false;
  std::set<int> drawn;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int number = static_cast<int>(i) + 1;
    if (IsBlankOrComment(line)) continue;
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "palette") {
      std::string file;
      if (!(words >> file)) {
        error = Located(name, number, "palette needs a file name");
        return false;
      }
      if (file[0] != '/') file = folder + "/" + file;
      if (!ReadPalette(file, sheet.palette, error)) return false;
    } else if (verb == "colour") {
      std::string rest = line.substr(line.find("colour") + 7);
      char key = 0;
      Rgba colour;
      if (!ParseColourLine(rest, key, colour)) {
        error = Located(name, number, "expected 'colour C RRGGBB[AA]'");
        return false;
      }
      sheet.palette[key] = colour;
    } else if (verb == "sheet") {
      if (haveShape) {
        error = Located(name, number, "sheet given twice");
        return false;
      }
      if (!(words >> sheet.columns >> sheet.rows >> sheet.cellWidth >> sheet.cellHeight) ||
          sheet.columns < 1 || sheet.rows < 1 || sheet.cellWidth < 1 || sheet.cellHeight < 1 ||
          sheet.columns * sheet.cellWidth > 4096 || sheet.rows * sheet.cellHeight > 4096) {
        error = Located(name, number, "expected 'sheet COLUMNS ROWS CELLWIDTH CELLHEIGHT' (1-4096 px)");
        return false;
      }
      haveShape = true;
      sheet.pixels.assign(static_cast<size_t>(sheet.Width() * sheet.Height()), Rgba{});
    } else if (verb == "scale") {
      if (!(words >> sheet.scale) || sheet.scale < 1 || sheet.scale > 16) {
        error = Located(name, number, "expected 'scale N' with N from 1 to 16");
        return false;
      }
    } else if (verb == "cell") {
      int cell = -1;
      if (!haveShape) {
        error = Located(name, number, "cell before sheet");
        return false;
      }
      if (!(words >> cell) || cell < 0 || cell >= sheet.columns * sheet.rows) {
        error = Located(name, number, "cell number out of range");
        return false;
      }
      if (!drawn.insert(cell).second) {
        error = Located(name, number, "cell " + std::to_string(cell) + " drawn twice");
        return false;
      }
      const int left = (cell % sheet.columns) * sheet.cellWidth;
      const int top = (cell / sheet.columns) * sheet.cellHeight;
      for (int y = 0; y < sheet.cellHeight; ++y) {
        const size_t at = i + 1 + static_cast<size_t>(y);
        if (at >= lines.size()) {
          error = Located(name, number, "cell " + std::to_string(cell) + " has only " +
                                            std::to_string(y) + " of " +
                                            std::to_string(sheet.cellHeight) + " rows");
          return false;
        }
        const std::string& row = lines[at];
        if (static_cast<int>(row.size()) != sheet.cellWidth) {
          error = Located(name, static_cast<int>(at) + 1,
                          "row is " + std::to_string(row.size()) + " wide, cells are " +
                              std::to_string(sheet.cellWidth));
          return false;
        }
        for (int x = 0; x < sheet.cellWidth; ++x) {
          auto found = sheet.palette.find(row[static_cast<size_t>(x)]);
          if (found == sheet.palette.end()) {
            error = Located(name, static_cast<int>(at) + 1,
                            std::string("character '") + row[static_cast<size_t>(x)] +
                                "' is not in the palette");
            return false;
          }
          sheet.pixels[static_cast<size_t>((top + y) * sheet.Width() + left + x)] = found->second;
        }
      }
      i += static_cast<size_t>(sheet.cellHeight);
    } else {
      error = Located(name, number, "unknown statement '" + verb + "'");
      return false;
    }
  }
  if (!haveShape) {
    error = name + ": no sheet statement";
    return false;
  }
  return true;
}

std::vector<uint8_t> RenderSheet(const PixelSheet& sheet) {
  const int w = sheet.Width() * sheet.scale, h = sheet.Height() * sheet.scale;
  std::vector<uint8_t> rgba(static_cast<size_t>(w * h) * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgba& p =
          sheet.pixels[static_cast<size_t>((y / sheet.scale) * sheet.Width() + x / sheet.scale)];
      uint8_t* out = &rgba[static_cast<size_t>(y * w + x) * 4];
      out[0] = p.r;
      out[1] = p.g;
      out[2] = p.b;
      out[3] = p.a;
    }
  }
  return rgba;
}

}  // namespace tools
