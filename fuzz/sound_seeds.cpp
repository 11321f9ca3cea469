// Writes the seed inputs of the sound fuzz targets at build time, so no
// binary files live in the source tree: a WAV of every encoding SDL reads
// and a few Ogg Vorbis files.
//   sound_seeds <wav folder> <ogg folder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ogg_writer.h"

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// fmtExtra: the bytes after the 16 basic fmt bytes (with their size field).
std::string Wav(int format, int channels, int bits, int rate, int blockAlign, const std::string& fmtExtra,
                const std::string& data) {
  std::string fmt;
  Put(fmt, static_cast<uint32_t>(format), 2);
  Put(fmt, static_cast<uint32_t>(channels), 2);
  Put(fmt, static_cast<uint32_t>(rate), 4);
  Put(fmt, static_cast<uint32_t>(rate * blockAlign), 4);
  Put(fmt, static_cast<uint32_t>(blockAlign), 2);
  Put(fmt, static_cast<uint32_t>(bits), 2);
  fmt += fmtExtra;
  std::string body = "WAVEfmt ";
  Put(body, static_cast<uint32_t>(fmt.size()), 4);
  body += fmt;
  body += "data";
  Put(body, static_cast<uint32_t>(data.size()), 4);
  body += data;
  std::string out = "RIFF";
  Put(out, static_cast<uint32_t>(body.size()), 4);
  return out + body;
}

std::string Pattern(size_t bytes) {
  std::string data;
  for (size_t i = 0; i < bytes; ++i) data.push_back(static_cast<char>((i * 37 + 11) & 0xff));
  return data;
}

bool Write(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string wav = std::string(argv[1]) + "/", ogg = std::string(argv[2]) + "/";
  bool ok = true;
  // Plain PCM of every width, float, A-law and mu-law.
  ok &= Write(wav + "pcm8_mono.wav", Wav(1, 1, 8, 22050, 1, "", Pattern(64)));
  ok &= Write(wav + "pcm16_stereo.wav", Wav(1, 2, 16, 44100, 4, "", Pattern(128)));
  ok &= Write(wav + "pcm24_mono.wav", Wav(1, 1, 24, 48000, 3, "", Pattern(96)));
  ok &= Write(wav + "pcm32_stereo.wav", Wav(1, 2, 32, 44100, 8, "", Pattern(128)));
  ok &= Write(wav + "float_mono.wav", Wav(3, 1, 32, 44100, 4, "", Pattern(64)));
  ok &= Write(wav + "alaw_mono.wav", Wav(6, 1, 8, 8000, 1, std::string(2, '\0'), Pattern(64)));
  ok &= Write(wav + "mulaw_stereo.wav", Wav(7, 2, 8, 8000, 2, std::string(2, '\0'), Pattern(64)));
  ok &= Write(wav + "pcm16_six.wav", Wav(1, 6, 16, 44100, 12, "", Pattern(120)));
  // IMA ADPCM: one 256-byte block of 505 samples.
  std::string ima;
  Put(ima, 2, 2);
  Put(ima, 505, 2);
  ok &= Write(wav + "ima_mono.wav", Wav(0x11, 1, 4, 22050, 256, ima, Pattern(256)));
  // MS ADPCM with its standard coefficient table: one block of 500 samples.
  std::string ms;
  Put(ms, 32, 2);
  Put(ms, 500, 2);
  Put(ms, 7, 2);
  const int coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
  for (const auto& pair : coefficients) {
    Put(ms, static_cast<uint32_t>(static_cast<uint16_t>(pair[0])), 2);
    Put(ms, static_cast<uint32_t>(static_cast<uint16_t>(pair[1])), 2);
  }
  std::string msData = Pattern(256);
  msData[0] = 1;   // predictor within the table
  ok &= Write(wav + "msadpcm_mono.wav", Wav(2, 1, 4, 22050, 256, ms, msData));
  // WAVE_FORMAT_EXTENSIBLE carrying 16-bit PCM.
  std::string extensible;
  Put(extensible, 22, 2);
  Put(extensible, 16, 2);
  Put(extensible, 3, 4);
  Put(extensible, 1, 4);   // the PCM sub-format GUID
  extensible += std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
  ok &= Write(wav + "extensible_stereo.wav", Wav(0xFFFE, 2, 16, 44100, 4, extensible, Pattern(64)));

  // Ogg Vorbis, kept short so each run decodes quickly.
  std::vector<float> mono, stereo;
  for (int f = 0; f < 2048; ++f) {
    const float s = 0.5f * static_cast<float>(std::sin(f * 0.05));
    mono.push_back(s);
    stereo.push_back(s);
    stereo.push_back(-s);
  }
  ok &= plat::WriteOggVorbis(ogg + "mono_22k.ogg", mono, 1, 22050, 0.0f);
  ok &= plat::WriteOggVorbis(ogg + "stereo_44k.ogg", stereo, 2, 44100, 0.4f);
  ok &= plat::WriteOggVorbis(ogg + "mono_8k_low.ogg", mono, 1, 8000, -0.1f);
  return ok ? 0 : 1;
}
