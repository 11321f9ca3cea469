// State shared by the audio files of the platform: the SDL output, OpenAL
// Soft's loopback device that mixes into it, and the sounds and channels.
#pragma once

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/internal.h"

namespace plat::detail {

// ---- one audio output: from the first use until Shutdown
struct AudioOutput {
  bool tried = false;                 // an open was attempted (it is not retried until closed)
  ALCdevice* mixer = nullptr;         // the loopback device
  ALCcontext* context = nullptr;
  SDL_AudioDeviceID device = 0;       // 0 when no SDL driver opened a device
  std::string driver;                 // the SDL driver that opened it
  int rate = 0;
  std::unordered_map<int, int> sounds;   // AL buffer -> channels (1 or 2)
  std::unordered_set<int> channels;      // AL sources
};
extern AudioOutput Audio;
// The driver SetAudioDriver chose; empty for SDL's default.
extern std::string ChosenAudioDriver;

// Opens the output on first use. True when sounds can be made (the mixer
// is there); channels also need Audio.device.
bool EnsureAudio();

// Holds the output's callback off while the main thread changes the mix, so
// a cue, its settings and its start reach the mixer between two renders.
class MixLock {
 public:
  MixLock() : device_(Audio.device) {
    if (device_) SDL_LockAudioDevice(device_);
  }
  ~MixLock() {
    if (device_) SDL_UnlockAudioDevice(device_);
  }
  MixLock(const MixLock&) = delete;
  MixLock& operator=(const MixLock&) = delete;

 private:
  SDL_AudioDeviceID device_;
};

}  // namespace plat::detail
