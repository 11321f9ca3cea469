#include "settings/settings_file.h"

#include <climits>
#include <cstddef>
#include <utility>

#include "display/debug_log.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/settings.h"
#include "util/fields.h"

std::vector<std::string> AudioDriverNames;

namespace {

// Only ASCII letters change: the keys and keywords compared against are ASCII.
std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool BeginsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string DriverName(const std::vector<std::string>& names, int index) {
  if (index < 0 || index >= static_cast<int>(names.size())) return "";
  return names[static_cast<size_t>(index)];
}

}  // namespace

int ReadSettingsNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > INT_MAX) magnitude = INT_MAX;  // saturate: keeps a long run of digits defined
  }
  return static_cast<int>(magnitude);
}

void ApplySettingsLine(const std::string& line, const std::vector<std::string>& driverNames,
                       bool& driverNamed) {
  const std::string key = Upper(Trim(GetField(line, "=", 1)));
  // Field 2 of a line without "=" is the whole line, so "ESS" alone still counts.
  const std::string value = Trim(GetField(line, "=", 2));

  if (key == "AUDIODRIVER") {
    driverNamed = true;
    for (size_t i = 0; i < driverNames.size(); ++i)
      if (driverNames[i] == value) Settings.AudioDriverIndex = static_cast<int>(i);
  } else if (key == "FULLSCREEN") {
    const std::string word = Upper(value);
    if (word == "TRUE" || word == "ON") {
      Settings.Fullscreen = 1;
      DebugLog("\tSetting to Fullscreen");
    }
  } else if (key == "GFX ENGINE" || key == "GFXENGINE") {
    const std::string word = Upper(value);
    if (word == "DX9") {
      Settings.GfxEngine = 1;
      DebugLog("\tDirectX 9 Mode");
    } else if (word == "DX7") {
      Settings.GfxEngine = 2;
      DebugLog("\tDirectX 7 Mode");
    }
  } else if (key == "WIDTH") {
    Settings.Width = ReadSettingsNumber(value);
  } else if (key == "HEIGHT") {
    Settings.Height = ReadSettingsNumber(value);
  } else if (key == "MASTER") {
    Settings.MasterVolume = ReadSettingsNumber(value);
  } else if (key == "SOUND") {
    Settings.SoundVolume = ReadSettingsNumber(value);
  } else if (key == "MUSIC") {
    Settings.MusicVolume = ReadSettingsNumber(value);
  } else if (key == "ESS") {
    // Any value, 0 included: the line's presence is the switch.
    Settings.SlowSystem = 1;
    DebugLog("\tAssuming Emergency Slow System values.");
  } else if (key == "KEY") {
    const int index = ReadSettingsNumber(GetField(value, ",", 1));
    const int code = ReadSettingsNumber(GetField(value, ",", 2));
    if (index <= 99 && index < static_cast<int>(KeyBindings.size()))
      KeyBindings[static_cast<size_t>(index)] = code;
  }
}

void ApplySettingsLines(const std::vector<std::string>& lines,
                        const std::vector<std::string>& driverNames) {
  bool driverNamed = false;
  for (const std::string& line : lines) ApplySettingsLine(line, driverNames, driverNamed);
  if (!driverNamed) Settings.AudioDriverIndex = ChooseAudioDriver(driverNames);
}

int ChooseAudioDriver(const std::vector<std::string>& names) {
  int chosen = 0;
  bool preferred = false;  // an "OPENAL" or "FREE" name has been taken
  bool direct = false;     // a "DIRECT" name has been taken; it outranks the others
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string name = Upper(names[i]);
    if (BeginsWith(name, "DIRECT")) {
      chosen = static_cast<int>(i);
      direct = true;
    } else if (!direct && !preferred && (BeginsWith(name, "OPENAL") || BeginsWith(name, "FREE"))) {
      chosen = static_cast<int>(i);
      preferred = true;
    }
  }
  return chosen;
}

std::vector<std::string> SettingsFileLines(const std::vector<std::string>& driverNames) {
  std::vector<std::string> lines;
  lines.push_back("[Graphics]");
  if (Settings.Fullscreen == 0) lines.push_back("Fullscreen = False");
  if (Settings.Fullscreen == 1) lines.push_back("Fullscreen = True");
  static const char* const engines[] = {"OpenGL", "DX9", "DX7"};
  if (Settings.GfxEngine >= 0 && Settings.GfxEngine <= 2)
    lines.push_back(std::string("GFX Engine = ") + engines[Settings.GfxEngine]);
  lines.push_back("Width=" + std::to_string(Settings.Width));
  lines.push_back("Height=" + std::to_string(Settings.Height));
  if (Settings.SlowSystem == 1)
    lines.push_back(
        "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..");
  lines.push_back("");
  lines.push_back("[Audio]");
  lines.push_back("Master = " + std::to_string(Settings.MasterVolume));
  lines.push_back("Sound = " + std::to_string(Settings.SoundVolume));
  lines.push_back("Music = " + std::to_string(Settings.MusicVolume));
  lines.push_back("AudioDriver = " + DriverName(driverNames, Settings.AudioDriverIndex));
  for (const std::string& name : driverNames) lines.push_back("; AudioDriver = " + name);
  lines.push_back("");
  lines.push_back("[Controls]");
  // A default binding the user cleared is written as code 0; left out, the
  // reader would bring the default back at the next start.
  for (size_t i = 0; i < 100 && i < KeyBindings.size(); ++i) {
    const int code = KeyBindings[i];
    const bool clearedDefault = code == 0 && DefaultKeyBinding(static_cast<int>(i)) > 0;
    if (code > 0 || clearedDefault)
      lines.push_back("Key=" + std::to_string(i) + "," + std::to_string(code));
  }
  return lines;
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& driverNames) {
  return plat::WriteLinesAtomic(path, SettingsFileLines(driverNames));
}

std::string SettingsFilePath() { return plat::ProgramFolder() + "Files/Setup.ini"; }

void ReadSettings() {
  MakeSettings();
  AudioDriverNames.clear();
  const int drivers = plat::CountAudioDrivers();
  for (int i = 0; i < drivers; ++i) AudioDriverNames.push_back(plat::AudioDriverName(i));

  std::vector<std::string> lines;
  if (plat::ReadLines(SettingsFilePath(), lines))
    DebugLog("\tReading Setup File");
  else
    lines.clear();  // no file: the defaults stand
  ApplySettingsLines(lines, AudioDriverNames);

  DebugLog("Setting Audio Driver");
  const std::string driver = DriverName(AudioDriverNames, Settings.AudioDriverIndex);
  // An OpenAL driver is only worth asking for when its library is there.
  if (!driver.empty() && (!BeginsWith(Upper(driver), "OPENAL") || plat::OpenALAvailable()))
    plat::SetAudioDriver(driver);
  DebugLog("Set Audio Driver");
  DebugLog("");

  DebugLog("\tRequested Resolution : " + std::to_string(Settings.Width) + "x" +
           std::to_string(Settings.Height));
  DebugLog("\tSetup Loaded");
  DebugLog("");
}

void WriteSettings() { WriteSettingsFile(SettingsFilePath(), AudioDriverNames); }
