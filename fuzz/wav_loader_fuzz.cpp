// Feeds arbitrary bytes to the platform's sound decoder as a WAV file: it
// must refuse or decode it without crashing, hanging or leaking, and what it
// decodes must be fit for the mixer.
#include <cstddef>
#include <cstdint>

#include "fuzz/sound_decoder_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DecodeAndCheck(data, size);
  return 0;
}
