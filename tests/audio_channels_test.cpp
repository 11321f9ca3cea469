// Channels on the real output with SDL's dummy driver: a cued channel waits
// at its start, plays once resumed and finishes; unknown handles are
// ignored; the output falls back to "dummy" when the chosen driver opens nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/audio_fixtures.h"

namespace {

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Waits (bounded, so a channel that never ends fails the test) for the end of a sound.
bool WaitUntilFinished(int channel) {
  for (int waited = 0; waited < 5000; waited += 10) {
    if (!plat::ChannelPlaying(channel)) return true;
    Wait(10);
  }
  return false;
}

class AudioChannels : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = harness::MakeTempFolder();
    plat::TestMode mode;
    mode.enabled = true;
    mode.programFolder = folder_;
    mode.audioDriver = driver_;
    ASSERT_TRUE(plat::Init(&mode));
    // A tenth of a second.
    sound_ = plat::LoadSound(fixtures::WriteWav(folder_, "beep.wav", 1, 16, fixtures::Tone(4410, 1, 0.5f)));
    ASSERT_NE(sound_, 0);
  }
  void TearDown() override { plat::Shutdown(); }

  const char* driver_ = "dummy";
  std::string folder_;
  int sound_ = 0;
};

TEST_F(AudioChannels, CuedChannelPlaysOnlyAfterResumeAndFinishes) {
  EXPECT_EQ(plat::AudioDriverInUse(), "dummy");
  const int channel = plat::AllocChannel();
  ASSERT_NE(channel, 0);
  plat::CueSound(sound_, channel);
  // Longer than the sound: a cue that started playing would have ended by now.
  Wait(300);
  plat::ChannelState state = plat::TestChannelState(channel);
  EXPECT_TRUE(state.cued);
  EXPECT_FALSE(state.playing);
  EXPECT_EQ(state.sampleOffset, 0);
  EXPECT_EQ(state.sound, sound_);
  EXPECT_FALSE(plat::ChannelPlaying(channel));

  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilFinished(channel));
  state = plat::TestChannelState(channel);
  EXPECT_FALSE(state.cued);
  EXPECT_FALSE(state.playing);
}

// A finished channel is cued again and plays again; a stopped one stays
// silent when resumed until it is cued.
TEST_F(AudioChannels, ChannelIsReusedAfterFinishingAndAfterStop) {
  const int channel = plat::AllocChannel();
  ASSERT_NE(channel, 0);
  plat::CueSound(sound_, channel);
  plat::ResumeChannel(channel);
  ASSERT_TRUE(WaitUntilFinished(channel));

  plat::CueSound(sound_, channel);
  EXPECT_TRUE(plat::TestChannelState(channel).cued);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::StopChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  plat::ResumeChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));

  plat::CueSound(sound_, channel);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilFinished(channel));
}

// What each setter passes on, read back from the mixer: volumes above 1 go
// through, values that are not numbers become silence, hard left and
// normal speed.
struct SettingCase {
  const char* name;
  float volume, pan, rate;
  float wantVolume, wantPan, wantRate;
};

void PrintTo(const SettingCase& c, std::ostream* os) { *os << c.name; }

class ChannelSettings : public AudioChannels, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(ChannelSettings, ReachTheMixer) {
  const SettingCase c = GetParam();
  const int channel = plat::AllocChannel();
  ASSERT_NE(channel, 0);
  plat::CueSound(sound_, channel);
  plat::SetChannelVolume(channel, c.volume);
  plat::SetChannelPan(channel, c.pan);
  plat::SetChannelPitch(channel, c.rate);
  const plat::ChannelState state = plat::TestChannelState(channel);
  EXPECT_FLOAT_EQ(state.volume, c.wantVolume);
  EXPECT_FLOAT_EQ(state.pan, c.wantPan);
  EXPECT_FLOAT_EQ(state.rate, c.wantRate);
  EXPECT_TRUE(state.cued);   // setting a cued channel does not start it
}

INSTANTIATE_TEST_SUITE_P(
    Values, ChannelSettings,
    ::testing::Values(SettingCase{"Plain", 0.25f, 0, 1, 0.25f, 0, 1},
                      SettingCase{"LoudLeftFast", 2.25f, -1, 4, 2.25f, -1, 4},
                      SettingCase{"RightSlow", 0, 1, 0.25f, 0, 1, 0.25f},
                      SettingCase{"NotNumbers", NAN, NAN, NAN, 0, -1, 1},
                      SettingCase{"BeyondRanges", 1e9f, 7, 1e9f, 16, 1, 64},
                      SettingCase{"BelowRanges", -3, -7, -2, 0, -1, 1.0f / 64}),
    [](const ::testing::TestParamInfo<SettingCase>& info) { return std::string(info.param.name); });

// Handles that are not channels or sounds (0, made up, or from a closed
// output) are ignored without touching the mixer.
TEST_F(AudioChannels, UnknownHandlesAreIgnored) {
  const int channel = plat::AllocChannel();
  ASSERT_NE(channel, 0);
  for (int bad : {0, -1, 987654, channel + 1000}) {
    plat::CueSound(sound_, bad);
    plat::SetChannelVolume(bad, 1);
    plat::SetChannelPan(bad, 0);
    plat::SetChannelPitch(bad, 1);
    plat::ResumeChannel(bad);
    plat::StopChannel(bad);
    EXPECT_FALSE(plat::ChannelPlaying(bad));
    EXPECT_FALSE(plat::TestChannelState(bad).exists);
    plat::CueSound(bad, channel);
    EXPECT_EQ(plat::TestChannelState(channel).sound, 0) << bad;
  }
  plat::Shutdown();
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  EXPECT_FALSE(plat::TestSoundState(sound_).exists);
}

// A run after Shutdown opens the output afresh and plays again.
TEST_F(AudioChannels, OutputReopensAfterShutdown) {
  plat::Shutdown();
  plat::TestMode mode;
  mode.enabled = true;
  mode.programFolder = folder_;
  ASSERT_TRUE(plat::Init(&mode));
  const int sound = plat::LoadSound(folder_ + "beep.wav");
  const int channel = plat::AllocChannel();
  ASSERT_NE(sound, 0);
  ASSERT_NE(channel, 0);
  plat::CueSound(sound, channel);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilFinished(channel));
}

// A driver that cannot open a device leaves the program on SDL's dummy
// driver, where channels still play and finish.
class FallbackChannels : public AudioChannels {
 protected:
  void SetUp() override {
    driver_ = "no-such-driver";
    AudioChannels::SetUp();
  }
};

TEST_F(FallbackChannels, UnknownDriverFallsBackToDummy) {
  EXPECT_EQ(plat::AudioDriverInUse(), "dummy");
  const int channel = plat::AllocChannel();
  ASSERT_NE(channel, 0);
  plat::CueSound(sound_, channel);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilFinished(channel));
}

}  // namespace
