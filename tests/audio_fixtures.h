// Small sound files made by the tests themselves: WAV written byte by byte,
// Ogg Vorbis through the build's own encoder.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ogg_writer.h"
#include "tests/harness.h"

namespace fixtures {

inline void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A WAV file of PCM (format 1) or float (format 3) samples. `data` holds the
// samples exactly as the file stores them.
inline std::string Wav(int format, int channels, int bits, int rate, const std::string& data) {
  std::string out = "RIFF";
  PutLe(out, static_cast<uint32_t>(36 + data.size()), 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);
  PutLe(out, static_cast<uint32_t>(format), 2);
  PutLe(out, static_cast<uint32_t>(channels), 2);
  PutLe(out, static_cast<uint32_t>(rate), 4);
  PutLe(out, static_cast<uint32_t>(rate * channels * bits / 8), 4);
  PutLe(out, static_cast<uint32_t>(channels * bits / 8), 2);
  PutLe(out, static_cast<uint32_t>(bits), 2);
  out += "data";
  PutLe(out, static_cast<uint32_t>(data.size()), 4);
  return out + data;
}

// A sine of `hz` at amplitude `peak` (full scale 1), the same in every channel.
inline std::vector<float> Tone(int frames, int channels, float peak, int rate = 44100, float hz = 441) {
  std::vector<float> samples;
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c)
      samples.push_back(peak * static_cast<float>(std::sin(2 * M_PI * hz * f / rate)));
  return samples;
}

// Samples as a WAV data block of the given width.
inline std::string PcmBytes(const std::vector<float>& samples, int bits) {
  std::string out;
  for (float s : samples) {
    if (bits == 8) {
      PutLe(out, static_cast<uint32_t>(std::lround(128 + s * 127)), 1);
    } else if (bits == 16) {
      PutLe(out, static_cast<uint32_t>(static_cast<int16_t>(std::lround(s * 32767))), 2);
    } else {
      uint32_t raw;
      std::memcpy(&raw, &s, 4);
      PutLe(out, raw, 4);
    }
  }
  return out;
}

inline std::string WriteWav(const std::string& folder, const std::string& name, int channels, int bits,
                            const std::vector<float>& samples, int rate = 44100) {
  const std::string path = folder + name;
  harness::WriteFile(path, Wav(bits == 32 ? 3 : 1, channels, bits, rate, PcmBytes(samples, bits)));
  return path;
}

inline std::string WriteOgg(const std::string& folder, const std::string& name, int channels,
                            const std::vector<float>& samples, int rate = 44100) {
  const std::string path = folder + name;
  plat::WriteOggVorbis(path, samples, channels, rate, 0.4f);
  return path;
}

}  // namespace fixtures
