// Writes PNGs in the layouts SavePng never produces (palette, grey, packed
// and 16-bit samples, Adam7), so the loader can be tested on each of them.
#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "platform/platform.h"

namespace plat {
namespace {

int Channels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 0;
  }
}

struct Prepared {
  png_bytepp rows;
  png_colorp palette;
  int paletteSize;
  png_bytep trnsAlpha;
  int trnsCount;
  png_color_16 trnsColour;
  bool hasTrns;
};

// Everything with a destructor is made by the caller; this frame holds only
// pointers fixed before setjmp.
bool WriteStream(FILE* file, const TestPng* layout, const Prepared* prep) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(layout->width), static_cast<png_uint_32>(layout->height),
               layout->bitDepth, layout->colourType,
               layout->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (prep->paletteSize > 0) png_set_PLTE(png, info, prep->palette, prep->paletteSize);
  if (prep->hasTrns) {
    png_color_16 colour = prep->trnsColour;
    png_set_tRNS(png, info, prep->trnsAlpha, prep->trnsCount, &colour);
  }
  png_write_info(png, info);
  png_write_image(png, prep->rows);   // runs the Adam7 passes itself
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool TestWritePng(const std::string& path, const TestPng& layout) {
  const int channels = Channels(layout.colourType);
  const int depth = layout.bitDepth;
  if (channels == 0 || layout.width <= 0 || layout.height <= 0 ||
      (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16))
    return false;
  const size_t w = static_cast<size_t>(layout.width), h = static_cast<size_t>(layout.height);
  if (layout.samples.size() != w * h * channels) return false;

  // Pack the samples: below 8 bits most significant first, 16 bits big-endian.
  const size_t rowBytes = (w * channels * depth + 7) / 8;
  std::vector<uint8_t> data(rowBytes * h, 0);
  std::vector<png_bytep> rows(h);
  for (size_t y = 0; y < h; ++y) {
    uint8_t* row = &data[y * rowBytes];
    rows[y] = row;
    for (size_t i = 0; i < w * channels; ++i) {
      const unsigned v = layout.samples[y * w * channels + i];
      if (depth == 16) {
        row[i * 2] = static_cast<uint8_t>(v >> 8);
        row[i * 2 + 1] = static_cast<uint8_t>(v);
      } else if (depth == 8) {
        row[i] = static_cast<uint8_t>(v);
      } else {
        const size_t bit = i * depth;
        const unsigned shift = 8 - depth - bit % 8;
        row[bit / 8] |= static_cast<uint8_t>((v & ((1u << depth) - 1)) << shift);
      }
    }
  }

  std::vector<png_color> palette(layout.palette.size() / 3);
  for (size_t i = 0; i < palette.size(); ++i)
    palette[i] = png_color{layout.palette[i * 3], layout.palette[i * 3 + 1], layout.palette[i * 3 + 2]};
  std::vector<uint8_t> alphas;
  Prepared prep{rows.data(), palette.data(), static_cast<int>(palette.size()), nullptr, 0, {}, false};
  if (!layout.tRNS.empty()) {
    prep.hasTrns = true;
    if (layout.colourType == PNG_COLOR_TYPE_PALETTE) {
      for (uint16_t a : layout.tRNS) alphas.push_back(static_cast<uint8_t>(a));
      prep.trnsAlpha = alphas.data();
      prep.trnsCount = static_cast<int>(alphas.size());
    } else if (layout.colourType == PNG_COLOR_TYPE_GRAY) {
      prep.trnsColour.gray = layout.tRNS[0];
    } else if (layout.colourType == PNG_COLOR_TYPE_RGB && layout.tRNS.size() == 3) {
      prep.trnsColour.red = layout.tRNS[0];
      prep.trnsColour.green = layout.tRNS[1];
      prep.trnsColour.blue = layout.tRNS[2];
    } else {
      return false;
    }
  }

  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = WriteStream(file, &layout, &prep);
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace plat
