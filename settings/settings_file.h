// "Setup.ini": the settings and control bindings, kept in Files/ beside the
// program and shared by every game of the series. The reader is forgiving
// (keys in any case, blanks around "=", unknown lines ignored); the writer
// writes the whole file anew.
#pragma once

#include <string>
#include <vector>

// ---- whole run
// The platform's audio driver names, read once by ReadSettings; the
// AudioDriverIndex setting counts in this list.
extern std::vector<std::string> AudioDriverNames;

// Resets Settings, reads the driver list and the file when there is one,
// chooses the audio driver and hands it to the platform. Logs its steps.
void ReadSettings();
// Writes the file from Settings and KeyBindings through a temporary file, so
// a failed write keeps the old one. A failure is not reported.
void WriteSettings();

// Where ReadSettings and WriteSettings keep the file.
std::string SettingsFilePath();

// ---- the steps, usable without a running platform
// Applies one line of the file to Settings and KeyBindings, logging what the
// user turned on. Sets driverNamed when the line names an audio driver, even
// one that is not in driverNames.
void ApplySettingsLine(const std::string& line, const std::vector<std::string>& driverNames,
                       bool& driverNamed);
// Applies the file's lines in order (later lines override earlier ones),
// then, when none named an audio driver, picks one with ChooseAudioDriver.
void ApplySettingsLines(const std::vector<std::string>& lines,
                        const std::vector<std::string>& driverNames);
// The driver to use when the file names none: the last whose name begins
// with "DIRECT", else the first beginning with "OPENAL" or "FREE" (any case),
// else 0.
int ChooseAudioDriver(const std::vector<std::string>& names);
// The file's lines, without line ends, from Settings, KeyBindings and the names.
std::vector<std::string> SettingsFileLines(const std::vector<std::string>& driverNames);
// Writes SettingsFileLines to path, each line ended by CR LF. False on failure.
bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& driverNames);
// The absolute value of the decimal integer at the start of text (after any
// blanks, with an optional sign); 0 when there is none. Saturates at
// 2147483647, so any run of digits gives a defined result.
int ReadSettingsNumber(const std::string& text);
