// Feeds arbitrary bytes to the platform's sound decoder as an Ogg Vorbis
// file. Inputs are made to start with the Ogg capture pattern, so mutations
// are spent inside the Vorbis decoder rather than on the format choice.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/sound_decoder_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || std::memcmp(data, "OggS", 4) != 0) {
    std::vector<uint8_t> ogg = {'O', 'g', 'g', 'S'};
    ogg.insert(ogg.end(), data, data + size);
    fuzz::DecodeAndCheck(ogg.data(), ogg.size());
    return 0;
  }
  fuzz::DecodeAndCheck(data, size);
  return 0;
}
