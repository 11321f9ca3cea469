// WAV through SDL's reader, Ogg Vorbis through libvorbisfile, both brought
// to mono or stereo, 16-bit or float, at the file's own rate: OpenAL
// resamples, so converting the rate here would only lose quality.
#include "platform/sound_decoding.h"

#include <SDL2/SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plat::detail {
namespace {

// Rates outside this range are damaged headers rather than sounds.
constexpr int kMinRate = 1000, kMaxRate = 384000;
// SDL converts at most eight channels; Vorbis allows 255.
constexpr int kMaxChannels = 8;

// Converts interleaved samples of any SDL format to the mixer's: 16-bit for
// sources of 16 bits or fewer, float for wider ones, more than two channels
// mixed down to stereo.
// Damaged float data may hold huge values, infinities or NaN; the mixer
// gets at most full scale and silence for what is not a number.
void LimitFloatSamples(std::vector<uint8_t>& bytes) {
  for (std::size_t at = 0; at + sizeof(float) <= bytes.size(); at += sizeof(float)) {
    float s;
    std::memcpy(&s, bytes.data() + at, sizeof s);
    s = std::isnan(s) ? 0.0f : std::clamp(s, -1.0f, 1.0f);
    std::memcpy(bytes.data() + at, &s, sizeof s);
  }
}

bool ConvertForMixer(const uint8_t* samples, std::size_t length, SDL_AudioFormat format,
                     int channels, int rate, DecodedSound& out) {
  if (channels < 1 || channels > kMaxChannels || rate < kMinRate || rate > kMaxRate) return false;
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * SDL_AUDIO_BITSIZE(format) / 8;
  if (frameBytes == 0) return false;
  length -= length % frameBytes;
  if (length == 0 || length > kMaxSoundBytes) return false;

  const bool wide = SDL_AUDIO_ISFLOAT(format) || SDL_AUDIO_BITSIZE(format) > 16;
  const SDL_AudioFormat target = wide ? AUDIO_F32SYS : AUDIO_S16SYS;
  const int targetChannels = channels == 1 ? 1 : 2;
  SDL_AudioCVT cvt;
  const int built = SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(channels), rate, target,
                                      static_cast<Uint8>(targetChannels), rate);
  if (built < 0) return false;

  out.channels = targetChannels;
  out.isFloat = wide;
  out.rate = rate;
  if (built == 0) {
    out.bytes.assign(samples, samples + length);
    if (wide) LimitFloatSamples(out.bytes);
    return true;
  }
  // Conversion happens in place in a buffer len_mult times the input.
  const std::size_t room = length * static_cast<std::size_t>(cvt.len_mult);
  if (room > 4 * kMaxSoundBytes) return false;
  std::vector<uint8_t> work(room);
  std::memcpy(work.data(), samples, length);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(length);
  if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0) return false;
  work.resize(static_cast<std::size_t>(cvt.len_cvt));
  work.resize(work.size() - work.size() % out.FrameBytes());
  if (work.empty()) return false;
  out.bytes = std::move(work);
  if (wide) LimitFloatSamples(out.bytes);
  return true;
}

uint32_t ReadLe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void WriteLe32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// SDL allocates a chunk's declared size before reading it, so a 100-byte
// file that claims a 4 GB chunk would take 4 GB. Every size is cut down to
// what the file holds: a cut data chunk keeps the frames that are there.
std::vector<uint8_t> WithChunkSizesInBounds(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> wav(data, data + size);
  if (size < 12) return wav;
  WriteLe32(wav.data() + 4, static_cast<uint32_t>(size - 8));
  std::size_t at = 12;
  while (at + 8 <= size) {
    const std::size_t room = size - at - 8;
    std::size_t length = ReadLe32(wav.data() + at + 4);
    if (length > room) {
      length = room;
      WriteLe32(wav.data() + at + 4, static_cast<uint32_t>(length));
    }
    at += 8 + length + (length & 1);
  }
  return wav;
}

bool DecodeWav(const uint8_t* data, std::size_t size, DecodedSound& out) {
  const std::vector<uint8_t> wav = WithChunkSizesInBounds(data, size);
  SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  if (!rw) return false;
  SDL_AudioSpec layout;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &layout, &samples, &length)) return false;
  const bool ok = ConvertForMixer(samples, length, layout.format, layout.channels, layout.freq, out);
  SDL_FreeWAV(samples);
  return ok;
}

// libvorbisfile reads through these from a block of memory, front to back:
// without a seek callback it never bisects the file looking for links.
struct MemoryReader {
  const uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
};

size_t ReadMemory(void* into, size_t itemSize, size_t items, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (itemSize == 0) return 0;
  const std::size_t left = reader->size - reader->at;
  const std::size_t wanted = std::min(items, left / itemSize);
  std::memcpy(into, reader->data + reader->at, wanted * itemSize);
  reader->at += wanted * itemSize;
  return wanted;
}

bool DecodeOgg(const uint8_t* data, std::size_t size, DecodedSound& out) {
  MemoryReader reader{data, size};
  const ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
  OggVorbis_File file;
  if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) return false;

  const vorbis_info* info = ov_info(&file, -1);
  const int channels = info ? info->channels : 0;
  const long rate = info ? info->rate : 0;
  bool ok = channels >= 1 && channels <= kMaxChannels && rate >= kMinRate && rate <= kMaxRate;
  std::vector<float> interleaved;
  const std::size_t maxSamples = kMaxSoundBytes / sizeof(float);
  int firstSection = -1;
  while (ok) {
    float** planes = nullptr;
    int section = 0;
    const long frames = ov_read_float(&file, &planes, 4096, &section);
    if (frames == 0) break;
    if (frames == OV_HOLE) continue;   // a gap in the data: the samples after it still count
    if (frames < 0) break;             // what came before the damage is kept
    if (firstSection < 0) firstSection = section;
    if (section != firstSection) {
      // A chained stream may change its format; one sound has one format.
      const vorbis_info* now = ov_info(&file, -1);
      if (!now || now->channels != channels || now->rate != rate) break;
    }
    const std::size_t count = static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels);
    if (interleaved.size() + count > maxSamples) {
      ok = false;
      break;
    }
    const std::size_t base = interleaved.size();
    interleaved.resize(base + count);
    for (long f = 0; f < frames; ++f)
      for (int c = 0; c < channels; ++c)
        interleaved[base + static_cast<std::size_t>(f) * channels + c] = planes[c][f];
  }
  ov_clear(&file);
  if (!ok || interleaved.empty()) return false;
  return ConvertForMixer(reinterpret_cast<const uint8_t*>(interleaved.data()),
                         interleaved.size() * sizeof(float), AUDIO_F32SYS, channels,
                         static_cast<int>(rate), out);
}

}  // namespace

bool DecodeSound(const uint8_t* data, std::size_t size, DecodedSound& out) {
  out = DecodedSound{};
  if (!data || size < 4 || size > kMaxSoundBytes) return false;
  bool ok = false;
  if (std::memcmp(data, "OggS", 4) == 0)
    ok = DecodeOgg(data, size, out);
  else if (std::memcmp(data, "RIFF", 4) == 0)
    ok = DecodeWav(data, size, out);
  if (!ok) out = DecodedSound{};
  return ok;
}

}  // namespace plat::detail
