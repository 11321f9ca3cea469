// Channels: one OpenAL source each, kept for the whole run and cued again
// for every sound played on it. Unknown handles are ignored, so a stale or
// zero handle never reaches OpenAL.
#include <cmath>

#include "platform/audio_internal.h"

namespace plat {
using namespace detail;

namespace {

// OpenAL Soft mixes gains up to this (+24 dB); a louder setting would be cut to it anyway.
constexpr float kMaxGain = 16.0f;
// Beyond these rates the resampler skips or repeats almost every sample.
constexpr float kMinPitch = 1.0f / 64, kMaxPitch = 64.0f;

bool IsChannel(int channel) { return Audio.channels.count(channel) != 0; }

ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

// Places a mono source on the unit circle in front of the listener:
// -1 hard left, 0 centre, 1 hard right.
void PlaceSource(ALuint source, float pan) {
  alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
}

}  // namespace

int AllocChannel() {
  if (!EnsureAudio() || !Audio.device) return 0;
  MixLock lock;
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR || source == 0) return 0;
  if (source > 0x7fffffffu) {
    alDeleteSources(1, &source);
    return 0;
  }
  alSourcef(source, AL_MAX_GAIN, kMaxGain);
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  // Stereo sounds go to the speakers as recorded rather than being panned as two points.
  alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  PlaceSource(source, 0.0f);
  const int channel = static_cast<int>(source);
  Audio.channels.insert(channel);
  return channel;
}

// Stopped, then rewound: AL_INITIAL is the cued state, which alSourcePlay
// starts from the first sample.
void CueSound(int sound, int channel) {
  if (!IsChannel(channel) || Audio.sounds.count(sound) == 0) return;
  MixLock lock;
  const ALuint source = static_cast<ALuint>(channel);
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, sound);
  alSourceRewind(source);
}

// Volumes above 1 are passed on (up to the mixer's limit); what is not a
// number is silence.
void SetChannelVolume(int channel, float volume) {
  if (!IsChannel(channel)) return;
  if (!(volume >= 0.0f)) volume = 0.0f;
  if (volume > kMaxGain) volume = kMaxGain;
  MixLock lock;
  alSourcef(static_cast<ALuint>(channel), AL_GAIN, volume);
}

// Pans mono sounds; stereo sounds play as recorded whatever the pan.
void SetChannelPan(int channel, float pan) {
  if (!IsChannel(channel)) return;
  if (!(pan >= -1.0f)) pan = -1.0f;
  if (pan > 1.0f) pan = 1.0f;
  MixLock lock;
  PlaceSource(static_cast<ALuint>(channel), pan);
}

// rate: the speed factor, 1 as recorded; not a number plays as recorded.
void SetChannelPitch(int channel, float rate) {
  if (!IsChannel(channel)) return;
  if (std::isnan(rate)) rate = 1.0f;
  if (rate < kMinPitch) rate = kMinPitch;
  if (rate > kMaxPitch) rate = kMaxPitch;
  MixLock lock;
  alSourcef(static_cast<ALuint>(channel), AL_PITCH, rate);
}

// Starts a cued channel or continues a paused one. A stopped or finished
// channel stays silent until it is cued again.
void ResumeChannel(int channel) {
  if (!IsChannel(channel)) return;
  MixLock lock;
  const ALuint source = static_cast<ALuint>(channel);
  const ALint state = SourceState(source);
  if (state == AL_INITIAL || state == AL_PAUSED) alSourcePlay(source);
}

void StopChannel(int channel) {
  if (!IsChannel(channel)) return;
  MixLock lock;
  alSourceStop(static_cast<ALuint>(channel));
}

// Only a sounding channel counts: a cued channel waiting for ResumeChannel
// is not playing, so the effect ring never stops a sound that has not started.
bool ChannelPlaying(int channel) {
  if (!IsChannel(channel)) return false;
  MixLock lock;
  return SourceState(static_cast<ALuint>(channel)) == AL_PLAYING;
}

ChannelState TestChannelState(int channel) {
  ChannelState state;
  if (!IsChannel(channel)) return state;
  MixLock lock;
  const ALuint source = static_cast<ALuint>(channel);
  state.exists = true;
  ALint buffer = 0, offset = 0;
  alGetSourcei(source, AL_BUFFER, &buffer);
  alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
  state.sound = buffer;
  state.sampleOffset = offset;
  alGetSourcef(source, AL_GAIN, &state.volume);
  alGetSourcef(source, AL_PITCH, &state.rate);
  ALfloat x = 0, y = 0, z = 0;
  alGetSource3f(source, AL_POSITION, &x, &y, &z);
  state.pan = x;
  const ALint al = SourceState(source);
  state.cued = al == AL_INITIAL;
  state.playing = al == AL_PLAYING;
  return state;
}

SoundState TestSoundState(int sound) {
  SoundState state;
  if (Audio.sounds.count(sound) == 0) return state;
  MixLock lock;
  const ALuint buffer = static_cast<ALuint>(sound);
  ALint rate = 0, channels = 0, bits = 0, size = 0;
  alGetBufferi(buffer, AL_FREQUENCY, &rate);
  alGetBufferi(buffer, AL_CHANNELS, &channels);
  alGetBufferi(buffer, AL_BITS, &bits);
  alGetBufferi(buffer, AL_SIZE, &size);
  state.exists = true;
  state.rate = rate;
  state.channels = channels;
  state.bits = bits;
  state.frames = channels > 0 && bits > 0 ? size / (channels * bits / 8) : 0;
  return state;
}

}  // namespace plat
