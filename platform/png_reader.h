// PNG decoding from memory, apart from SDL so the fuzz target can link it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat::detail {

// A header may claim up to 2^31 pixels a side; past this many pixels (256 MB
// of ARGB) a file is refused before anything is allocated for it.
constexpr uint64_t kMaxPngPixels = uint64_t{64} << 20;

struct DecodedPng {
  int width = 0, height = 0;
  std::vector<uint32_t> argb;   // row-major, 0xAARRGGBB
};

// Decodes any PNG (palette, grey, 16-bit, interlaced, tRNS) to 8-bit ARGB.
// masked: in an image with neither an alpha channel nor tRNS, pure black
// (0, 0, 0) becomes fully transparent. False, with out emptied, on anything
// malformed, truncated or larger than maxPixels.
bool DecodePng(const uint8_t* data, size_t size, bool masked, DecodedPng& out,
               uint64_t maxPixels = kMaxPngPixels);

}  // namespace plat::detail
