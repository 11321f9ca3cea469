// PlaySfx on the real platform (SDL's dummy audio driver): which slot each
// effect takes, when no slot is used, and what the channel is given.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "audio/sfx.h"
#include "settings/settings.h"
#include "tests/audio_fixtures.h"

namespace {

constexpr int kEffect = 98;

class Sfx : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string folder = harness::MakeTempFolder();
    plat::TestMode mode;
    mode.enabled = true;
    mode.programFolder = folder;
    ASSERT_TRUE(plat::Init(&mode));
    MakeSettings();
    MakeSoundTables();
    // Long enough to be still sounding when its slot comes round again.
    SfxSounds[kEffect] =
        plat::LoadSound(fixtures::WriteWav(folder, "098.wav", 1, 16, std::vector<float>(110250, 0.1f), 11025));
    ASSERT_NE(SfxSounds[kEffect], 0);
  }
  void TearDown() override { plat::Shutdown(); }

  static int ChannelsInSlots() {
    int used = 0;
    for (int channel : ChannelSlots) used += channel != 0;
    return used;
  }
};

// The n-th effect after start-up plays in this slot: slots 20-255 are
// handed out in turn, starting at 21, and 0-19 are never used.
struct SlotCase {
  int play;
  int slot;
};

TEST_F(Sfx, EffectsTakeTheSlotsInTurn) {
  const std::vector<SlotCase> cases = {{1, 21}, {2, 22}, {235, 255}, {236, 20}, {237, 21}};
  int firstChannel = 0;
  for (int play = 1; play <= 237; ++play) {
    PlaySfx(kEffect, 1, 1, 0);
    if (play == 1) firstChannel = ChannelSlots[21];
    for (const SlotCase& c : cases) {
      if (c.play != play) continue;
      EXPECT_EQ(SfxSlotCounter, c.slot) << "play " << play;
      EXPECT_NE(ChannelSlots[c.slot], 0) << "play " << play;
      EXPECT_TRUE(plat::ChannelPlaying(ChannelSlots[c.slot])) << "play " << play;
    }
  }
  // The 237th effect cut the first one off and restarted its channel.
  EXPECT_EQ(ChannelSlots[21], firstChannel);
  EXPECT_EQ(plat::TestChannelState(firstChannel).sound, SfxSounds[kEffect]);
  std::set<int> distinct(ChannelSlots.begin() + 20, ChannelSlots.begin() + 256);
  EXPECT_EQ(distinct.size(), 236u);
  EXPECT_EQ(distinct.count(0), 0u);
  for (int slot = 0; slot < 20; ++slot) EXPECT_EQ(ChannelSlots[slot], 0) << slot;
}

// Plays that must leave the slot counter and the slots alone.
struct SilentCase {
  const char* name;
  int index;
  int soundVolume;
};

void PrintTo(const SilentCase& c, std::ostream* os) { *os << c.name; }

class SfxSilent : public Sfx, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SfxSilent, UsesNoSlot) {
  const SilentCase c = GetParam();
  Settings.SoundVolume = c.soundVolume;
  PlaySfx(c.index, 1, 1, 0);
  EXPECT_EQ(SfxSlotCounter, 20);
  EXPECT_EQ(ChannelsInSlots(), 0);
}

INSTANTIATE_TEST_SUITE_P(Plays, SfxSilent,
                         ::testing::Values(SilentCase{"SoundVolumeZero", kEffect, 0},
                                           SilentCase{"SoundVolumeNegative", kEffect, -10},
                                           SilentCase{"MissingEffect", 5, 50},
                                           SilentCase{"IndexZero", 0, 50},
                                           SilentCase{"IndexBeyondTable", 201, 50},
                                           SilentCase{"IndexNegative", -3, 50}),
                         [](const ::testing::TestParamInfo<SilentCase>& info) { return std::string(info.param.name); });

// What the channel receives: rate clamped to 0.25-4, volume to 0-1 then
// scaled by the settings (and passed on above 1), pan to -1..1, and a value
// that is not a number taken as the lower bound.
struct ClampCase {
  const char* name;
  float rate, volume, pan;
  int master, sound;
  float wantRate, wantVolume, wantPan;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name; }

class SfxClamps : public Sfx, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(SfxClamps, ReachTheChannel) {
  const ClampCase c = GetParam();
  Settings.MasterVolume = c.master;
  Settings.SoundVolume = c.sound;
  PlaySfx(kEffect, c.rate, c.volume, c.pan);
  ASSERT_EQ(SfxSlotCounter, 21);
  const plat::ChannelState state = plat::TestChannelState(ChannelSlots[21]);
  ASSERT_TRUE(state.exists);
  EXPECT_FLOAT_EQ(state.rate, c.wantRate);
  EXPECT_FLOAT_EQ(state.volume, c.wantVolume);
  EXPECT_FLOAT_EQ(state.pan, c.wantPan);
  EXPECT_TRUE(state.playing);
}

INSTANTIATE_TEST_SUITE_P(
    Plays, SfxClamps,
    ::testing::Values(ClampCase{"Defaults", 1, 1, 0, 50, 50, 1, 0.25f, 0},
                      ClampCase{"FastLoudHardLeft", 8, 1.5f, -3, 50, 50, 4, 0.25f, -1},
                      ClampCase{"SlowNegativeVolume", 0.1f, -1, 0, 50, 50, 0.25f, 0, 0},
                      ClampCase{"NotNumbers", NAN, NAN, NAN, 50, 50, 0.25f, 0, -1},
                      ClampCase{"Infinities", INFINITY, INFINITY, INFINITY, 50, 50, 4, 0.25f, 1},
                      ClampCase{"HalfRight", 1.05f, 0.5f, 0.5f, 50, 50, 1.05f, 0.125f, 0.5f},
                      ClampCase{"MasterZeroStillPlays", 1, 1, 0, 0, 50, 1, 0, 0},
                      ClampCase{"SettingsAboveFull", 2, 1, 1, 200, 100, 2, 2, 1}),
    [](const ::testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });

}  // namespace
