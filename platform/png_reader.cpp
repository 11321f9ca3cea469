// PNG decoding through libpng from a buffer in memory: every colour type and
// depth is expanded to 8-bit RGBA and stored as 0xAARRGGBB.
#include "platform/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace plat::detail {
namespace {

// No renderer offers textures this wide; refusing earlier keeps libpng's own
// row buffers small too.
constexpr png_uint_32 kMaxPngSide = 32768;
// Bounds what libpng may allocate to decompress a text or colour-profile
// chunk; nothing this loader uses comes near it.
constexpr png_alloc_size_t kMaxPngChunkBytes = 8u << 20;

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// libpng allocates a chunk's claimed length before it reads the chunk, so a
// damaged length in a 200-byte file would make it ask for a gigabyte. Every
// chunk up to IEND must lie within the bytes we have.
bool ChunksFitInFile(const uint8_t* data, size_t size) {
  size_t pos = 8;
  while (pos < size) {
    if (size - pos < 12) return false;
    const uint32_t length = BigEndian32(data + pos);
    if (length > size - pos - 12) return false;
    if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
    pos += size_t{length} + 12;
  }
  return true;
}

struct Source {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep dest, size_t length) {
  Source* src = static_cast<Source*>(png_get_io_ptr(png));
  if (length > src->size - src->pos) png_error(png, "truncated");
  std::memcpy(dest, src->data + src->pos, length);
  src->pos += length;
}

// A broken file is an ordinary outcome: fail quietly, without libpng's
// messages on stderr.
[[noreturn]] void FailQuietly(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Kept out of the setjmp frame so an allocation failure is a plain false
// rather than an exception thrown across libpng's state.
bool ResizePixels(std::vector<uint32_t>& pixels, size_t count) noexcept {
  try {
    pixels.resize(count);
    return true;
  } catch (...) {
    return false;
  }
}

struct Decoded {
  png_uint_32 width = 0, height = 0;
  bool keyable = false;   // no alpha channel and no tRNS
};

// libpng reports errors by longjmp back here. Only plain values live in this
// frame, and png/info are not changed after setjmp, so the jump skips no
// destructor and the clean-up sees valid pointers. The pixel buffer belongs
// to the caller.
bool DecodeRgba(Source* src, uint64_t maxPixels, std::vector<uint32_t>* pixels, Decoded* result) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, src, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_set_chunk_malloc_max(png, kMaxPngChunkBytes);
#ifdef POGWIN_PNG_FUZZING
  // Mutated bytes almost never keep their CRCs; without this the fuzzer
  // would rarely get past the first chunk.
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || uint64_t{width} * height > maxPixels) png_error(png, "too large");
  const int colour = png_get_color_type(png, info);
  const bool hasAlpha =
      (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;

  png_set_expand(png);   // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!hasAlpha) png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{width} * 4) png_error(png, "unexpected layout");
  if (!ResizePixels(*pixels, size_t{width} * height)) png_error(png, "out of memory");

  png_bytep base = reinterpret_cast<png_bytep>(pixels->data());
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, base + size_t{y} * width * 4, nullptr);

  png_destroy_read_struct(&png, &info, nullptr);
  result->width = width;
  result->height = height;
  result->keyable = !hasAlpha;
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, bool masked, DecodedPng& out, uint64_t maxPixels) {
  out = DecodedPng{};
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0 || !ChunksFitInFile(data, size))
    return false;
  Source src{data, size, 0};
  Decoded decoded;
  if (!DecodeRgba(&src, maxPixels, &out.argb, &decoded)) {
    out = DecodedPng{};
    return false;
  }
  // The rows hold R, G, B, A bytes; turn each pixel into 0xAARRGGBB in place.
  const bool key = masked && decoded.keyable;
  for (uint32_t& pixel : out.argb) {
    uint8_t b[4];
    std::memcpy(b, &pixel, 4);
    uint32_t argb = (uint32_t{b[3]} << 24) | (uint32_t{b[0]} << 16) | (uint32_t{b[1]} << 8) | b[2];
    if (key && (argb & 0xffffffu) == 0) argb = 0;
    pixel = argb;
  }
  out.width = static_cast<int>(decoded.width);
  out.height = static_cast<int>(decoded.height);
  return true;
}

}  // namespace plat::detail
