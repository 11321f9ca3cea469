// What reaches the output: SDL's "disk" driver writes the mixed samples to a
// file (float stereo, the format the output opens with), so a test can hear
// an effect played through the effect ring at the default volumes.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "audio/sfx.h"
#include "settings/settings.h"
#include "tests/audio_fixtures.h"

namespace {

struct Peaks {
  float left = 0, right = 0;
};

Peaks PeaksOf(const std::string& raw) {
  Peaks peaks;
  const size_t frames = raw.size() / (2 * sizeof(float));
  for (size_t f = 0; f < frames; ++f) {
    float s[2];
    std::memcpy(s, raw.data() + f * sizeof s, sizeof s);
    peaks.left = std::max(peaks.left, std::fabs(s[0]));
    peaks.right = std::max(peaks.right, std::fabs(s[1]));
  }
  return peaks;
}

// Plays the file as effect 2 with PlaySfx at the default settings (channel
// volume 0.25), waits for it to end, and returns what the output got.
Peaks PlayThroughDisk(const std::string& folder, const std::string& sound, float pan) {
  const std::string output = folder + "output.raw";
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  plat::TestMode mode;
  mode.enabled = true;
  mode.programFolder = folder;
  mode.audioDriver = "disk";
  EXPECT_TRUE(plat::Init(&mode));
  EXPECT_EQ(plat::AudioDriverInUse(), "disk");
  MakeSettings();
  MakeSoundTables();
  SfxSounds[2] = plat::LoadSound(sound);
  EXPECT_NE(SfxSounds[2], 0);
  PlaySfx(2, 1, 1, pan);
  const int channel = ChannelSlots[21];
  EXPECT_EQ(plat::TestChannelState(channel).volume, 0.25f);
  // A wait for the end of the sound, bounded so a stuck channel fails the test.
  for (int waited = 0; plat::ChannelPlaying(channel) && waited < 5000; waited += 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  plat::Shutdown();   // closes the output file
  return PeaksOf(harness::ReadFile(output));
}

// A stereo sound plays as recorded, so each side peaks at exactly the
// channel volume times the source's peak; the tolerance covers 16-bit
// rounding of the source.
TEST(AudioOutput, StereoEffectReachesTheOutputAtAQuarterOfItsPeak) {
  const std::string folder = harness::MakeTempFolder();
  const float peak = 0.8f, expected = peak * 0.25f;
  const std::string sound = fixtures::WriteWav(folder, "tone.wav", 2, 16, fixtures::Tone(8820, 2, peak));
  const Peaks got = PlayThroughDisk(folder, sound, 0);
  std::printf("stereo at volume 0.25: left %.5f right %.5f, expected %.5f\n", got.left, got.right, expected);
  EXPECT_NEAR(got.left, expected, 0.01f * expected);
  EXPECT_NEAR(got.right, expected, 0.01f * expected);
}

// A mono sound panned hard to one side reaches that side at the channel
// volume and nothing of it the other; in the centre both sides get the same,
// between -6 dB and -3 dB of it (the mixer's pan law).
struct MonoPanCase {
  float pan;
  float leftLow, leftHigh, rightLow, rightHigh;   // fractions of peak x 0.25
};

class MonoPan : public ::testing::TestWithParam<MonoPanCase> {};

TEST_P(MonoPan, ReachesEachSideByThePan) {
  const MonoPanCase c = GetParam();
  const std::string folder = harness::MakeTempFolder();
  const float peak = 0.8f, full = peak * 0.25f;
  const std::string sound = fixtures::WriteWav(folder, "tone.wav", 1, 16, fixtures::Tone(8820, 1, peak));
  const Peaks got = PlayThroughDisk(folder, sound, c.pan);
  std::printf("mono at volume 0.25, pan %.1f: left %.5f right %.5f of %.5f\n", c.pan, got.left, got.right, full);
  EXPECT_GE(got.left, c.leftLow * full);
  EXPECT_LE(got.left, c.leftHigh * full);
  EXPECT_GE(got.right, c.rightLow * full);
  EXPECT_LE(got.right, c.rightHigh * full);
  if (c.pan == 0) {
    EXPECT_NEAR(got.left, got.right, 0.001f);
  }
}

INSTANTIATE_TEST_SUITE_P(Pans, MonoPan,
                         ::testing::Values(MonoPanCase{-1, 0.99f, 1.01f, 0, 0.01f},
                                           MonoPanCase{1, 0, 0.01f, 0.99f, 1.01f},
                                           MonoPanCase{0, 0.5f, 0.7072f, 0.5f, 0.7072f}));

}  // namespace
