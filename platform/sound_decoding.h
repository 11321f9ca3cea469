// Decoding of sound files into sample data the mixer takes. Kept apart from
// the mixer so the fuzz targets and tests can drive it without an audio
// device. Plain types only: no library header leaks out of here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat::detail {

// Interleaved samples, native byte order: 16-bit signed or 32-bit float.
struct DecodedSound {
  int channels = 0;   // 1 or 2
  bool isFloat = false;
  int rate = 0;       // frames per second
  std::vector<uint8_t> bytes;

  std::size_t FrameBytes() const { return static_cast<std::size_t>(channels) * (isFloat ? 4 : 2); }
  std::size_t Frames() const { return FrameBytes() ? bytes.size() / FrameBytes() : 0; }
};

// Files above this size, and sounds that would decode to more sample bytes
// than this, are refused: a short file must not be able to take the memory.
constexpr std::size_t kMaxSoundBytes = 64u << 20;

// Decodes a WAV (RIFF/WAVE in any format SDL reads) or Ogg Vorbis file held
// in memory, chosen by its first bytes. False for anything else, for a
// damaged file, for no samples at all, or for more than two channels.
bool DecodeSound(const uint8_t* data, std::size_t size, DecodedSound& out);

}  // namespace plat::detail
