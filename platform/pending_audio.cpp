// Sound loading and channels are not built yet: nothing loads, nothing plays.
#include "platform/internal.h"

namespace plat {
int LoadSound(const std::string&) { return 0; }
int AllocChannel() { return 0; }
void CueSound(int, int) {}
void SetChannelVolume(int, float) {}
void SetChannelPan(int, float) {}
void SetChannelPitch(int, float) {}
void ResumeChannel(int) {}
void StopChannel(int) {}
bool ChannelPlaying(int) { return false; }
}  // namespace plat
