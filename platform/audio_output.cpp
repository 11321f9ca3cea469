// The audio output: OpenAL Soft mixes every channel on its loopback device,
// and an SDL audio device pulls the mix from it. The loopback device opens on
// any machine, so with SDL's "dummy" driver behind it channels still play
// and finish where there is no sound card.
#include <cstring>

#include "platform/audio_internal.h"

namespace plat::detail {

AudioOutput Audio;

namespace {

constexpr int kFramesPerCallback = 1024;   // about 23 ms at 44.1 kHz
bool SdlAudioStarted = false;

// Runs on SDL's audio thread: the mix of every channel, float stereo, which
// is the format the device was opened with.
void SDLCALL RenderMix(void*, Uint8* stream, int length) {
  const int frames = length / static_cast<int>(2 * sizeof(float));
  if (Audio.mixer && frames > 0)
    alcRenderSamplesSOFT(Audio.mixer, stream, frames);
  else
    std::memset(stream, 0, static_cast<size_t>(length));
}

bool OpenMixer() {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return false;
  Audio.mixer = alcLoopbackOpenDeviceSOFT(nullptr);
  if (!Audio.mixer) return false;
  for (int rate : {44100, 48000}) {
    if (alcIsRenderFormatSupportedSOFT(Audio.mixer, rate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
      Audio.rate = rate;
      break;
    }
  }
  if (Audio.rate != 0) {
    // HRTF off: effects are panned between two speakers, not placed around a
    // head. The limiter keeps many loud effects at once from clipping hard.
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,            Audio.rate,
                                 ALC_HRTF_SOFT,            ALC_FALSE,
                                 ALC_OUTPUT_LIMITER_SOFT,  ALC_TRUE,
                                 0};
    Audio.context = alcCreateContext(Audio.mixer, attributes);
  }
  if (!Audio.context || !alcMakeContextCurrent(Audio.context)) {
    if (Audio.context) alcDestroyContext(Audio.context);
    Audio.context = nullptr;
    alcCloseDevice(Audio.mixer);
    Audio.mixer = nullptr;
    return false;
  }
  // Distance plays no part: a source's position only pans it.
  alDistanceModel(AL_NONE);
  return true;
}

// driver: an SDL driver name, or nullptr for SDL's own choice.
bool OpenDevice(const char* driver) {
  if (SDL_AudioInit(driver) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = Audio.rate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kFramesPerCallback;
  want.callback = RenderMix;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to what the hardware takes, so the
  // callback always renders the format OpenAL was set up for.
  Audio.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (Audio.device == 0) {
    SDL_AudioQuit();
    return false;
  }
  SdlAudioStarted = true;
  const char* name = SDL_GetCurrentAudioDriver();
  Audio.driver = name ? name : "";
  SDL_PauseAudioDevice(Audio.device, 0);
  return true;
}

}  // namespace

bool EnsureAudio() {
  if (Audio.tried) return Audio.context != nullptr;
  Audio.tried = true;
  if (!OpenMixer()) return false;
  std::string wanted = Run.test.enabled ? (Run.test.audioDriver ? Run.test.audioDriver : "dummy")
                                        : ChosenAudioDriver;
  if (!OpenDevice(wanted.empty() ? nullptr : wanted.c_str()) && wanted != "dummy") OpenDevice("dummy");
  return true;
}

void CloseAudio() {
  // The callback stops first, so nothing renders from what is deleted next.
  if (Audio.device) SDL_CloseAudioDevice(Audio.device);
  if (SdlAudioStarted) SDL_AudioQuit();
  SdlAudioStarted = false;
  if (Audio.context) {
    for (int channel : Audio.channels) {
      const ALuint source = static_cast<ALuint>(channel);
      alDeleteSources(1, &source);
    }
    for (const auto& [sound, channels] : Audio.sounds) {
      const ALuint buffer = static_cast<ALuint>(sound);
      alDeleteBuffers(1, &buffer);
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(Audio.context);
  }
  if (Audio.mixer) alcCloseDevice(Audio.mixer);
  Audio = AudioOutput{};
}

}  // namespace plat::detail
