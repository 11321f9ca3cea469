#include "fuzz/platform_stub.h"

#include "platform/platform.h"
#include "platform/text_lines.h"

namespace {
std::string FileBytes;
std::vector<std::string> Drivers;
std::string DriverSet;
std::vector<std::string> Log;
}  // namespace

void SetStubFile(const std::string& bytes) {
  FileBytes = bytes;
  DriverSet.clear();
  Log.clear();
}
void SetStubAudioDrivers(const std::vector<std::string>& names) { Drivers = names; }
std::string StubAudioDriverSet() { return DriverSet; }
const std::vector<std::string>& StubLog() { return Log; }

namespace plat {

bool KeyDown(int) { return false; }
// No joysticks are attached while fuzzing.
int CountJoysticks() { return 0; }
std::string JoystickName(int) { return ""; }
uint32_t JoystickButtonMask(int) { return 0; }
float JoystickAxis(int, int) { return 0.0f; }
float JoystickHat(int) { return -1.0f; }
bool JoystickButton(int, int) { return false; }

std::string ProgramFolder() { return "/fuzz/"; }

// The same splitting the real platform applies to the bytes it reads.
bool ReadLines(const std::string&, std::vector<std::string>& lines) {
  lines = SplitLines(FileBytes);
  return true;
}

bool WriteLinesAtomic(const std::string&, const std::vector<std::string>&) { return false; }

int CreateTextFile(const std::string&) { return 1; }
void WriteTextLine(int, const std::string& line) { Log.push_back(line); }
void CloseTextFile(int) {}

int CountAudioDrivers() { return static_cast<int>(Drivers.size()); }
std::string AudioDriverName(int index) {
  return index >= 0 && index < CountAudioDrivers() ? Drivers[static_cast<size_t>(index)] : "";
}
bool OpenALAvailable() { return false; }
void SetAudioDriver(const std::string& name) { DriverSet = name; }

}  // namespace plat
