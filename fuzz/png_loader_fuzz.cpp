// Feeds arbitrary bytes to the platform's PNG decoder, masked and unmasked,
// and checks that what comes back is consistent: same size both ways, the
// size within the limit, and masking changing nothing but opaque black.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/png_reader.h"

namespace {

// Smaller than the loader's limit, so one input cannot spend a quarter of a
// gigabyte and the run keeps its pace; the limit's test is the same compare.
constexpr uint64_t kFuzzMaxPixels = uint64_t{1} << 22;

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::detail::DecodedPng plain, masked;
  const bool ok = plat::detail::DecodePng(data, size, false, plain, kFuzzMaxPixels);
  Check(plat::detail::DecodePng(data, size, true, masked, kFuzzMaxPixels) == ok);
  if (!ok) {
    Check(plain.width == 0 && plain.height == 0 && plain.argb.empty());
    return 0;
  }
  Check(plain.width > 0 && plain.height > 0);
  Check(uint64_t(plain.width) * uint64_t(plain.height) <= kFuzzMaxPixels);
  Check(plain.argb.size() == size_t(plain.width) * size_t(plain.height));
  Check(masked.width == plain.width && masked.height == plain.height);
  Check(masked.argb.size() == plain.argb.size());
  bool anyTranslucent = false;
  for (uint32_t p : plain.argb) anyTranslucent |= (p >> 24) != 0xff;
  for (size_t i = 0; i < plain.argb.size(); ++i) {
    const uint32_t u = plain.argb[i], m = masked.argb[i];
    // Keying happens only in images without alpha, where every pixel is opaque.
    Check(m == u || (!anyTranslucent && u == 0xff000000u && m == 0));
  }
  return 0;
}
