// Loading sounds: every WAV layout the effects may come in and Ogg Vorbis
// reach the mixer with their length and channels; damaged or missing files
// give handle 0.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/sound_decoding.h"
#include "tests/audio_fixtures.h"

namespace {

class AudioLoading : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = harness::MakeTempFolder();
    plat::TestMode mode;
    mode.enabled = true;
    mode.programFolder = folder_;
    ASSERT_TRUE(plat::Init(&mode));
  }
  static void TearDownTestSuite() { plat::Shutdown(); }
  static std::string folder_;
};
std::string AudioLoading::folder_;

struct GoodFile {
  const char* name;
  bool ogg;
  int channels, bits;
  int frames;
  int rate;
  int mixerBits;   // 16 for up to 16-bit sources, 32 (float) for wider ones
};

void PrintTo(const GoodFile& f, std::ostream* os) { *os << f.name; }

class LoadsSound : public AudioLoading, public ::testing::WithParamInterface<GoodFile> {};

TEST_P(LoadsSound, WithItsChannelsLengthAndRate) {
  const GoodFile f = GetParam();
  const std::vector<float> tone = fixtures::Tone(f.frames, f.channels, 0.5f, f.rate);
  const std::string path = f.ogg ? fixtures::WriteOgg(folder_, f.name, f.channels, tone, f.rate)
                                 : fixtures::WriteWav(folder_, f.name, f.channels, f.bits, tone, f.rate);
  const int sound = plat::LoadSound(path);
  ASSERT_NE(sound, 0);
  const plat::SoundState state = plat::TestSoundState(sound);
  EXPECT_TRUE(state.exists);
  EXPECT_EQ(state.channels, f.channels);
  EXPECT_EQ(state.bits, f.mixerBits);
  EXPECT_EQ(state.frames, f.frames);
  EXPECT_EQ(state.rate, f.rate);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadsSound,
    ::testing::Values(GoodFile{"Wav8Mono", false, 1, 8, 1000, 22050, 16},
                      GoodFile{"Wav8Stereo", false, 2, 8, 1000, 11025, 16},
                      GoodFile{"Wav16Mono", false, 1, 16, 4410, 44100, 16},
                      GoodFile{"Wav16Stereo", false, 2, 16, 4410, 48000, 16},
                      GoodFile{"WavFloatMono", false, 1, 32, 500, 44100, 32},
                      GoodFile{"OggMono", true, 1, 0, 22050, 44100, 32},
                      GoodFile{"OggStereo", true, 2, 0, 4800, 48000, 32}),
    [](const ::testing::TestParamInfo<GoodFile>& info) { return std::string(info.param.name); });

// The decoded samples keep their values: unsigned 8-bit centred on 128 and
// signed 16-bit both become the same signed 16-bit levels.
struct DecodedValues {
  const char* name;
  int channels, bits;
  std::vector<float> samples;
  std::vector<int16_t> expected;
};

void PrintTo(const DecodedValues& c, std::ostream* os) { *os << c.name; }

class DecodesSamples : public ::testing::TestWithParam<DecodedValues> {};

TEST_P(DecodesSamples, ToSigned16BitLevels) {
  const DecodedValues c = GetParam();
  const std::string wav = fixtures::Wav(1, c.channels, c.bits, 22050, fixtures::PcmBytes(c.samples, c.bits));
  plat::detail::DecodedSound decoded;
  ASSERT_TRUE(plat::detail::DecodeSound(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(), decoded));
  ASSERT_FALSE(decoded.isFloat);
  ASSERT_EQ(decoded.channels, c.channels);
  ASSERT_EQ(decoded.bytes.size(), c.expected.size() * 2);
  std::vector<int16_t> got(c.expected.size());
  std::memcpy(got.data(), decoded.bytes.data(), decoded.bytes.size());
  // Within one 8-bit step: the 8-bit fixture cannot hold the levels exactly.
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.expected[i], 260) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DecodesSamples,
    ::testing::Values(DecodedValues{"Unsigned8", 1, 8, {0, 0.5f, -0.5f, 1, -1}, {0, 16384, -16384, 32767, -32768}},
                      DecodedValues{"Unsigned8Stereo", 2, 8, {0.5f, -0.5f}, {16384, -16384}},
                      DecodedValues{"Signed16", 1, 16, {0, 0.5f, -0.5f, 1, -1}, {0, 16384, -16384, 32767, -32768}}),
    [](const ::testing::TestParamInfo<DecodedValues>& info) { return std::string(info.param.name); });

// Float files whose samples are not numbers or far beyond full scale would
// blast the speakers or poison the mix; they load at full scale at most.
TEST(DecodesSamples, LimitsDamagedFloatSamples) {
  const std::vector<float> wild = {NAN, INFINITY, -INFINITY, 1e30f, -5, 0.25f};
  const std::string wav = fixtures::Wav(3, 1, 32, 22050, fixtures::PcmBytes(wild, 32));
  plat::detail::DecodedSound decoded;
  ASSERT_TRUE(plat::detail::DecodeSound(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(), decoded));
  ASSERT_TRUE(decoded.isFloat);
  ASSERT_EQ(decoded.Frames(), wild.size());
  std::vector<float> got(wild.size());
  std::memcpy(got.data(), decoded.bytes.data(), decoded.bytes.size());
  EXPECT_EQ(got, (std::vector<float>{0, 1, -1, 1, -1, 0.25f}));
}

// Files that are not sounds, or damaged ones, each made from a good file.
struct BadFile {
  const char* name;
  std::function<std::string(const std::string& wav, const std::string& ogg)> make;
};

std::string WithU32(std::string bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
  return bytes;
}

std::string WithU16(std::string bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xff);
  bytes[at + 1] = static_cast<char>(value >> 8);
  return bytes;
}

void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }

class RefusesFile : public AudioLoading, public ::testing::WithParamInterface<BadFile> {};

TEST_P(RefusesFile, WithHandleZero) {
  const std::vector<float> tone = fixtures::Tone(2000, 1, 0.5f);
  const std::string wav = harness::ReadFile(fixtures::WriteWav(folder_, "good.wav", 1, 16, tone));
  const std::string ogg = harness::ReadFile(fixtures::WriteOgg(folder_, "good.ogg", 1, tone));
  ASSERT_GT(ogg.size(), 200u);
  const std::string path = folder_ + "bad-" + GetParam().name;
  harness::WriteFile(path, GetParam().make(wav, ogg));
  EXPECT_EQ(plat::LoadSound(path), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusesFile,
    ::testing::Values(
        BadFile{"Empty", [](auto&, auto&) { return std::string(); }},
        BadFile{"Text", [](auto&, auto&) { return std::string("not a sound at all\n"); }},
        BadFile{"RiffHeaderOnly", [](auto& wav, auto&) { return wav.substr(0, 12); }},
        BadFile{"NoDataChunk", [](auto& wav, auto&) { return wav.substr(0, 36); }},
        BadFile{"EmptyDataChunk", [](auto& wav, auto&) { return WithU32(wav.substr(0, 44), 40, 0); }},
        BadFile{"ZeroChannels", [](auto& wav, auto&) { return WithU16(wav, 22, 0); }},
        BadFile{"ZeroRate", [](auto& wav, auto&) { return WithU32(wav, 24, 0); }},
        BadFile{"RateOf4GHz", [](auto& wav, auto&) { return WithU32(wav, 24, 0xffffffffu); }},
        BadFile{"Bits12", [](auto& wav, auto&) { return WithU16(wav, 34, 12); }},
        BadFile{"UnknownFormat", [](auto& wav, auto&) { return WithU16(wav, 20, 0x1234); }},
        BadFile{"OggHeadersCut", [](auto&, auto& ogg) { return ogg.substr(0, 60); }},
        BadFile{"OggMagicOnly", [](auto&, auto&) { return std::string("OggS"); }},
        BadFile{"OggBodyZeroed",
                [](auto&, auto& ogg) { return ogg.substr(0, 28) + std::string(ogg.size() - 28, '\0'); }}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(AudioLoading, MissingFileOrFolderGivesZero) {
  EXPECT_EQ(plat::LoadSound(folder_ + "no-such-file.wav"), 0);
  EXPECT_EQ(plat::LoadSound(""), 0);
  mkdir((folder_ + "a-folder.ogg").c_str(), 0700);
  EXPECT_EQ(plat::LoadSound(folder_ + "a-folder.ogg"), 0);
}

// A data chunk that claims more than the file holds keeps the frames that
// are there, rather than reading beyond the file.
TEST_F(AudioLoading, TruncatedDataKeepsTheFramesPresent) {
  const std::string wav = harness::ReadFile(fixtures::WriteWav(folder_, "long.wav", 1, 16, fixtures::Tone(1000, 1, 0.5f)));
  const std::string path = folder_ + "cut.wav";
  harness::WriteFile(path, wav.substr(0, 44 + 600 * 2));
  const int sound = plat::LoadSound(path);
  ASSERT_NE(sound, 0);
  EXPECT_EQ(plat::TestSoundState(sound).frames, 600);
}

// A short file whose data chunk claims 4 GB loads the frames it holds,
// without the loader first reserving what the header claims.
TEST_F(AudioLoading, HugeClaimedDataChunkKeepsTheFramesPresent) {
  const std::string wav = harness::ReadFile(fixtures::WriteWav(folder_, "claim.wav", 1, 16, fixtures::Tone(600, 1, 0.5f)));
  const std::string path = folder_ + "claims-4gb.wav";
  harness::WriteFile(path, WithU32(WithU32(wav, 4, 0xfffffff0u), 40, 0xffffff00u));
  // With address space for 1 GB more than now, a loader that reserves the
  // claimed size fails instead of quietly living off overcommit.
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  statm >> pages;
  ASSERT_GT(pages, 0);
  rlimit before{};
  getrlimit(RLIMIT_AS, &before);
  rlimit tight = before;
  tight.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (1ull << 30);
  ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
  const int sound = plat::LoadSound(path);
  setrlimit(RLIMIT_AS, &before);
  ASSERT_NE(sound, 0);
  EXPECT_EQ(plat::TestSoundState(sound).frames, 600);
}

// Files are told apart by content, not by name.
TEST_F(AudioLoading, OggNamedWavStillLoads) {
  const std::string ogg = harness::ReadFile(fixtures::WriteOgg(folder_, "real.ogg", 1, fixtures::Tone(3000, 1, 0.5f)));
  const std::string path = folder_ + "misnamed.wav";
  harness::WriteFile(path, ogg);
  const int sound = plat::LoadSound(path);
  ASSERT_NE(sound, 0);
  EXPECT_EQ(plat::TestSoundState(sound).frames, 3000);
}

}  // namespace
