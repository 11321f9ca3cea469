// Reads back the PNGs our writer makes at compression level 0: deflate then
// only stores, so a test can check every pixel without a PNG library. Checks
// the signature, every chunk's CRC, the zlib checksum and undoes the row
// filters; any mismatch is reported as a failure text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace storedpng {

inline uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline uint32_t Be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Image {
  int width = 0, height = 0, bitDepth = 0, colourType = 0;
  std::vector<uint8_t> rgba;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Empty result text on success.
inline std::string Read(const std::string& path, Image& image, bool needPixels = true) {
  const std::vector<uint8_t> f = ReadBytes(path);
  static const uint8_t kSig[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (f.size() < 8 || !std::equal(kSig, kSig + 8, f.begin())) return "no PNG signature";
  std::vector<uint8_t> z;
  bool sawEnd = false;
  for (size_t at = 8; at < f.size();) {
    if (at + 12 > f.size()) return "truncated chunk";
    const uint32_t len = Be32(&f[at]);
    if (at + 12 + len > f.size()) return "chunk runs past the end";
    const std::string type(f.begin() + long(at) + 4, f.begin() + long(at) + 8);
    if (Crc32(&f[at + 4], len + 4) != Be32(&f[at + 8 + len])) return "bad CRC in " + type;
    const uint8_t* d = &f[at + 8];
    if (type == "IHDR") {
      image.width = int(Be32(d));
      image.height = int(Be32(d + 4));
      image.bitDepth = d[8];
      image.colourType = d[9];
    } else if (type == "IDAT") {
      z.insert(z.end(), d, d + len);
    } else if (type == "IEND") {
      sawEnd = true;
    }
    at += 12 + len;
  }
  if (!sawEnd) return "no IEND";
  if (!needPixels) return "";
  if (image.bitDepth != 8 || image.colourType != 6) return "not 8-bit RGBA";
  // zlib header, then stored blocks only.
  std::vector<uint8_t> raw;
  size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > z.size()) return "deflate stream truncated";
    last = z[at] & 1;
    if (((z[at] >> 1) & 3) != 0) return "compressed block at level 0";
    const unsigned len = z[at + 1] | z[at + 2] << 8, nlen = z[at + 3] | z[at + 4] << 8;
    if ((len ^ 0xffffu) != nlen) return "stored block length check failed";
    at += 5;
    if (at + len > z.size()) return "stored block runs past the end";
    raw.insert(raw.end(), z.begin() + long(at), z.begin() + long(at + len));
    at += len;
  }
  if (at + 4 != z.size()) return "zlib trailer missing";
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  if ((b << 16 | a) != Be32(&z[at])) return "bad Adler-32";
  const size_t stride = size_t(image.width) * 4;
  if (raw.size() != (stride + 1) * size_t(image.height)) return "wrong amount of pixel data";
  image.rgba.assign(stride * size_t(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t filter = raw[size_t(y) * (stride + 1)];
    const uint8_t* in = &raw[size_t(y) * (stride + 1) + 1];
    uint8_t* out = &image.rgba[size_t(y) * stride];
    const uint8_t* up = y > 0 ? out - stride : nullptr;
    for (size_t x = 0; x < stride; ++x) {
      const int left = x >= 4 ? out[x - 4] : 0, above = up ? up[x] : 0;
      const int corner = (up && x >= 4) ? up[x - 4] : 0;
      int pred = 0;
      switch (filter) {
        case 0: pred = 0; break;
        case 1: pred = left; break;
        case 2: pred = above; break;
        case 3: pred = (left + above) / 2; break;
        case 4: {
          const int p = left + above - corner, pa = std::abs(p - left), pb = std::abs(p - above),
                    pc = std::abs(p - corner);
          pred = (pa <= pb && pa <= pc) ? left : (pb <= pc ? above : corner);
          break;
        }
        default: return "unknown row filter";
      }
      out[x] = uint8_t(in[x] + pred);
    }
  }
  return "";
}

}  // namespace storedpng
