// PNG writing through libpng: RGBA, 8 bits a channel, at a chosen zlib level.
// Used by screenshots and by the build's asset tools.
#include "platform/atomic_file.h"
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace plat {

namespace {

// libpng reports errors by longjmp; everything that needs cleaning up lives
// outside the setjmp frame so the failure path can release it.
bool WritePngStream(FILE* file, int width, int height, const uint8_t* rgba, int level) {
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
  png_set_compression_level(png, level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    png_write_row(png, const_cast<png_bytep>(rgba + stride * static_cast<size_t>(y)));
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

// Writes beside the target and renames over it, so a reader never sees half
// a file and a failed write keeps the previous one.
bool SavePng(const std::string& path, int width, int height, const uint8_t* rgba, int level) {
  if (width <= 0 || height <= 0 || !rgba || path.empty()) return false;
  if (width > 0x7fffff / 4 || height > 0x7fffff) return false;
  if (level < 0) level = 0;
  if (level > 9) level = 9;
  return detail::WriteFileAtomically(
      path, [&](FILE* file) { return WritePngStream(file, width, height, rgba, level); });
}

}  // namespace plat
