// Audio drivers: SDL's list, and the one the output will open with.
#include "platform/internal.h"

namespace plat {
namespace {
std::string ChosenDriver;
}

int CountAudioDrivers() { return SDL_GetNumAudioDrivers(); }

std::string AudioDriverName(int index) {
  const char* name = SDL_GetAudioDriver(index);
  return name ? name : "";
}

// The channels are mixed by OpenAL Soft's loopback device, which the build
// always links, so OpenAL is always there.
bool OpenALAvailable() { return true; }

void SetAudioDriver(const std::string& name) { ChosenDriver = name; }

std::string AudioDriverInUse() { return ChosenDriver; }

}  // namespace plat
