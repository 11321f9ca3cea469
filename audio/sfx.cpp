#include "audio/sfx.h"

#include "platform/platform.h"
#include "settings/settings.h"

std::vector<int> SfxSounds;
std::vector<int> ChannelSlots;
int SfxSlotCounter = 20;

void MakeSoundTables() {
  SfxSounds.assign(201, 0);
  ChannelSlots.assign(260, 0);
  SfxSlotCounter = 20;
}

namespace {
// Lower bound first, so a value that is not a number becomes the lower bound.
float Clamp(float value, float lower, float upper) {
  if (!(value >= lower)) value = lower;
  if (value > upper) value = upper;
  return value;
}
}  // namespace

void PlaySfx(int index, float rate, float volume, float pan) {
  if (Settings.SoundVolume <= 0) return;
  if (index < 0 || index >= static_cast<int>(SfxSounds.size()) || SfxSounds[index] == 0) return;
  SfxSlotCounter += 1;
  if (SfxSlotCounter >= 256) SfxSlotCounter = 20;
  const int slot = SfxSlotCounter;
  volume = Clamp(volume, 0.0f, 1.0f);
  rate = Clamp(rate, 0.25f, 4.0f);
  pan = Clamp(pan, -1.0f, 1.0f);
  // An effect still sounding when its slot comes round again is cut off. The
  // stopped channel stays in its slot and is used again, like a finished
  // one: dropping it would lose one channel per cut-off for the whole run.
  if (ChannelSlots[slot] != 0 && plat::ChannelPlaying(ChannelSlots[slot])) plat::StopChannel(ChannelSlots[slot]);
  if (ChannelSlots[slot] == 0) ChannelSlots[slot] = plat::AllocChannel();
  const int channel = ChannelSlots[slot];
  if (channel == 0) return;
  plat::CueSound(SfxSounds[index], channel);
  plat::SetChannelVolume(channel, static_cast<int64_t>(Settings.SoundVolume) * Settings.MasterVolume / 100.0f / 100.0f * volume);
  plat::SetChannelPan(channel, pan);
  plat::SetChannelPitch(channel, rate);
  plat::ResumeChannel(channel);
}

uint32_t Millis() { return plat::Millis(); }
