// Feeds arbitrary bytes to ReadSettings as the contents of Setup.ini and
// checks that what it leaves is sane and survives a write and a second read
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/debug_log.h"
#include "fuzz/platform_stub.h"
#include "settings/controls.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "util/fields.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SameSettings(const SettingsRecord& a, const SettingsRecord& b) {
  return a.Fullscreen == b.Fullscreen && a.Widescreen == b.Widescreen &&
         a.GfxEngine == b.GfxEngine && a.ResolutionIndex == b.ResolutionIndex &&
         a.Width == b.Width && a.Height == b.Height && a.SlowSystem == b.SlowSystem &&
         a.MasterVolume == b.MasterVolume && a.SoundVolume == b.SoundVolume &&
         a.MusicVolume == b.MusicVolume && a.AudioDriverIndex == b.AudioDriverIndex;
}

void CheckSane(const std::vector<std::string>& drivers) {
  const SettingsRecord& s = Settings;
  Check(s.Fullscreen == 0 || s.Fullscreen == 1);
  Check(s.GfxEngine >= 0 && s.GfxEngine <= 2);
  Check(s.SlowSystem == 0 || s.SlowSystem == 1);
  Check(s.Widescreen == 0 && s.ResolutionIndex == 0);
  Check(s.Width >= 0 && s.Height >= 0);
  Check(s.MasterVolume >= 0 && s.SoundVolume >= 0 && s.MusicVolume >= 0);
  Check(s.AudioDriverIndex >= 0);
  Check(drivers.empty() ? s.AudioDriverIndex == 0
                        : s.AudioDriverIndex < static_cast<int>(drivers.size()));
  Check(KeyBindings.size() == 101 && KeyBindings[100] == 0);
  for (int code : KeyBindings) Check(code >= 0);
  const std::vector<std::string>& log = StubLog();
  Check(log.size() >= 6 && log.back().empty() && log[log.size() - 2] == "\tSetup Loaded");
  Check(log.front() == "\tReading Setup File");
  // The chosen driver reaches the platform, but an OpenAL one only when the
  // platform has OpenAL, which the stub says it has not.
  const std::string chosen = drivers.empty() ? "" : drivers[static_cast<size_t>(s.AudioDriverIndex)];
  Check(StubAudioDriverSet() == (chosen == "OpenAL Soft" ? "" : chosen));
}

// Writing the settings and reading the lines back gives the same state and
// the same lines again.
void CheckRoundTrip(const std::vector<std::string>& drivers) {
  const SettingsRecord settings = Settings;
  const std::vector<int> bindings = KeyBindings;
  const std::vector<std::string> lines = SettingsFileLines(drivers);
  MakeSettings();
  MakeKeyBindings();
  ApplySettingsLines(lines, drivers);
  Check(SameSettings(Settings, settings));
  Check(KeyBindings == bindings);
  Check(SettingsFileLines(drivers) == lines);
}

void ReadAndCheck(const std::string& bytes, const std::vector<std::string>& drivers) {
  SetStubAudioDrivers(drivers);
  SetStubFile(bytes);
  MakeKeyBindings();
  ReadSettings();
  CheckSane(drivers);
  CheckRoundTrip(drivers);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool logOpen = (OpenDebugLog("Debug.txt"), true);
  (void)logOpen;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // Unique plain names, one of each kind the automatic choice looks for.
  ReadAndCheck(bytes, {"pulseaudio", "alsa", "Free A", "OpenAL Soft", "Direct D", "dummy"});
  ReadAndCheck(bytes, {});

  // The field parser on its own, with the separators the readers use.
  for (const char* separator : {"=", ",", "|", "::"})
    for (int index = 0; index <= 4; ++index) {
      const std::string field = GetField(bytes, separator, index);
      Check(field == "-+-" || field.size() <= bytes.size());
    }
  (void)HexToInt(bytes);
  return 0;
}
