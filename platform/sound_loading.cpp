// Sounds: a file decoded whole into an OpenAL buffer. The handle is the
// buffer's name.
#include <cstdio>

#include "platform/audio_internal.h"
#include "platform/sound_decoding.h"

namespace plat {
using namespace detail;

namespace {

// The whole file, or false when it cannot be read or is too large to be a sound.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = false;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && static_cast<unsigned long>(size) <= kMaxSoundBytes &&
        std::fseek(file, 0, SEEK_SET) == 0) {
      bytes.resize(static_cast<size_t>(size));
      ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
  }
  std::fclose(file);
  return ok;
}

ALenum AlFormat(const DecodedSound& sound) {
  if (sound.isFloat) return sound.channels == 1 ? AL_FORMAT_MONO_FLOAT32 : AL_FORMAT_STEREO_FLOAT32;
  return sound.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
}

}  // namespace

int LoadSound(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return 0;
  DecodedSound decoded;
  if (!DecodeSound(bytes.data(), bytes.size(), decoded)) return 0;
  if (!EnsureAudio()) return 0;
  if (decoded.isFloat && !alIsExtensionPresent("AL_EXT_FLOAT32")) return 0;

  MixLock lock;
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR || buffer == 0) return 0;
  alBufferData(buffer, AlFormat(decoded), decoded.bytes.data(), static_cast<ALsizei>(decoded.bytes.size()),
               decoded.rate);
  if (alGetError() != AL_NO_ERROR || buffer > 0x7fffffffu) {
    alDeleteBuffers(1, &buffer);
    return 0;
  }
  const int sound = static_cast<int>(buffer);
  Audio.sounds[sound] = decoded.channels;
  return sound;
}

}  // namespace plat
