// Audio drivers: SDL's list, the one the output will open with, and the one
// it did open with.
#include "platform/audio_internal.h"

namespace plat {
namespace detail {
std::string ChosenAudioDriver;
}

int CountAudioDrivers() { return SDL_GetNumAudioDrivers(); }

std::string AudioDriverName(int index) {
  const char* name = SDL_GetAudioDriver(index);
  return name ? name : "";
}

// The channels are mixed by OpenAL Soft's loopback device, which the build
// always links, so OpenAL is always there.
bool OpenALAvailable() { return true; }

// The output opens on first use, so a choice made at start-up (before any
// sound loads) is the one it opens with.
void SetAudioDriver(const std::string& name) { detail::ChosenAudioDriver = name; }

// Opens the output if it is not open yet: the answer is the driver really
// in use, which differs from the choice when that fell back to "dummy".
std::string AudioDriverInUse() {
  detail::EnsureAudio();
  return detail::Audio.driver;
}

}  // namespace plat
