// Images from PNG files and from the back buffer.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/images_internal.h"
#include "platform/internal.h"
#include "platform/png_reader.h"

namespace plat {
namespace {

// A PNG bigger than this cannot decode within the pixel limit anyway.
constexpr long kMaxPngFileBytes = 256L << 20;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = ok && size > 0 && size <= kMaxPngFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<size_t>(size));
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return ok;
}

bool ReadPng(const std::string& path, bool masked, detail::DecodedPng& png) {
  std::vector<uint8_t> bytes;
  return ReadWholeFile(path, bytes) && detail::DecodePng(bytes.data(), bytes.size(), masked, png);
}

}  // namespace

int LoadImage(const std::string& path, bool masked, bool filtered) {
  detail::DecodedPng png;
  if (!ReadPng(path, masked, png)) return 0;
  return detail::AddImage(png.width, png.height, std::move(png.argb), filtered, 0, 0, 0, 0);
}

// A strip needs whole cells that fit the sheet and at least one frame from
// first on; asking for more frames than the sheet holds gives those it has.
int LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, bool masked,
                  bool filtered) {
  if (cellW <= 0 || cellH <= 0 || first < 0 || count <= 0) return 0;
  detail::DecodedPng png;
  if (!ReadPng(path, masked, png)) return 0;
  if (cellW > png.width || cellH > png.height) return 0;
  const int cells = (png.width / cellW) * (png.height / cellH);
  if (first >= cells) return 0;
  return detail::AddImage(png.width, png.height, std::move(png.argb), filtered, cellW, cellH, first,
                          count);
}

// Each canvas pixel takes the mean of the display pixels under it (at least
// the one it lands on), so a larger display is box-filtered down and a
// smaller one is sampled nearest.
int GrabBackBuffer() {
  using detail::Scr;
  std::vector<uint8_t> rgba;
  int width = 0, height = 0;
  if (!ReadBackBuffer(rgba, width, height)) return 0;
  const int cw = Scr.canvasW, ch = Scr.canvasH;
  if (cw <= 0 || ch <= 0) return 0;
  std::vector<uint32_t> argb(static_cast<size_t>(cw) * ch);
  for (int y = 0; y < ch; ++y) {
    const int y0 = static_cast<int>(int64_t{y} * height / ch);
    const int y1 = std::max(y0 + 1, static_cast<int>(int64_t{y + 1} * height / ch));
    for (int x = 0; x < cw; ++x) {
      const int x0 = static_cast<int>(int64_t{x} * width / cw);
      const int x1 = std::max(x0 + 1, static_cast<int>(int64_t{x + 1} * width / cw));
      uint64_t r = 0, g = 0, b = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          const uint8_t* p = &rgba[(static_cast<size_t>(sy) * width + sx) * 4];
          r += p[0];
          g += p[1];
          b += p[2];
        }
      const uint64_t n = static_cast<uint64_t>(x1 - x0) * (y1 - y0);
      // Rounded means; the grab is opaque whatever alpha the buffer holds.
      argb[static_cast<size_t>(y) * cw + x] = 0xff000000u |
                                              static_cast<uint32_t>((r + n / 2) / n) << 16 |
                                              static_cast<uint32_t>((g + n / 2) / n) << 8 |
                                              static_cast<uint32_t>((b + n / 2) / n);
    }
  }
  return detail::AddImage(cw, ch, std::move(argb), false, 0, 0, 0, 0);
}

}  // namespace plat
