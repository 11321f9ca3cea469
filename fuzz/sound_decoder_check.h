// The checks both sound fuzz targets make on whatever the decoder accepts.
#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/sound_decoding.h"

namespace fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// Decodes the bytes as the platform's LoadSound does; a sound it accepts
// must be one the mixer can take as it is.
inline void DecodeAndCheck(const uint8_t* data, size_t size) {
  plat::detail::DecodedSound sound;
  if (!plat::detail::DecodeSound(data, size, sound)) {
    Check(sound.bytes.empty() && sound.channels == 0);
    return;
  }
  Check(sound.channels == 1 || sound.channels == 2);
  Check(sound.rate >= 1000 && sound.rate <= 384000);
  Check(!sound.bytes.empty() && sound.bytes.size() % sound.FrameBytes() == 0);
  Check(sound.bytes.size() <= plat::detail::kMaxSoundBytes);
  if (sound.isFloat) {
    for (size_t at = 0; at < sound.bytes.size(); at += sizeof(float)) {
      float s;
      std::memcpy(&s, sound.bytes.data() + at, sizeof s);
      Check(s >= -1.0f && s <= 1.0f);
    }
  }
}

}  // namespace fuzz
