#include "tests/harness.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program.h"
#include "display/display_setup.h"
#include "display/draw_helpers.h"
#include "display/frame.h"
#include "platform/text_lines.h"

namespace fs = std::filesystem;

namespace harness {

std::string RuntimeFolder() {
  std::string folder = POGWIN_RUNTIME_DIR;
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "pogwin-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  return std::string(made ? made : pattern.c_str()) + "/";
}

std::string MakeProgramFolder(bool withFiles) {
  const std::string folder = MakeTempFolder();
  // The built assets only: not the settings, log or scores a run of the
  // built program may have left there.
  if (withFiles) {
    fs::create_directory(folder + "Files");
    for (const char* sub : {"Common", "264"})
      fs::copy(RuntimeFolder() + "Files/" + sub, folder + "Files/" + sub, fs::copy_options::recursive);
    for (const char* leftover : {"264/nuscores.dat", "264/crash.dat"}) fs::remove(folder + "Files/" + leftover);
  }
  return folder;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::string> ReadLines(const std::string& path) { return plat::SplitLines(ReadFile(path)); }

Run::Run(std::string programFolder) : folder(std::move(programFolder)) {
  mode.enabled = true;
  mode.programFolder = folder;
}

bool Run::Start() {
  if (!plat::Init(&mode)) return false;
  AllowProgramReentry();
  try {
    ProgramEntry();
  } catch (const plat::ProcessEnded& end) {
    ended = true;
    exitCode = end.code;
  }
  plat::Shutdown();
  return ended;
}

std::vector<std::string> Run::Log() const { return ReadLines(Files() + "Debug.txt"); }

void HeadlessDisplay::SetUp() {
  mode.enabled = true;
  mode.programFolder = MakeTempFolder();
  mode.keepFrames = true;
  ASSERT_TRUE(plat::Init(&mode));
  ASSERT_TRUE(plat::OpenDisplay(640, 480, 0, 60));
  MakeProgramTables();
  VirtualWidth = 640;
  VirtualHeight = 480;
  plat::SetVirtualResolution(640, 480);
  ResetDrawState();
  DebugOverlayOn = 0;
}

void HeadlessDisplay::TearDown() { plat::Shutdown(); }

void SetScript(plat::TestMode& mode, Script script) {
  mode.script = [script] { script(plat::TestFramesPresented()); };
}

void Player::Step(int frame) {
  const uint32_t now = plat::Millis();
  if (frame != lastFrame) {
    lastFrame = frame;
    lastFrameAt = now;
    frameTimes.push_back(now);
    for (auto& [at, action] : actions)
      if (at == frame && action) {
        auto run = std::move(action);
        action = nullptr;
        run();
      }
  }
  for (const auto& [at, point] : moves)
    if (at == frame) plat::TestSetMouse(point.first, point.second);
  // A key held by any range counts as held.
  std::vector<int> keys;
  for (const Hold& h : holds) keys.push_back(h.key);
  for (int key : keys) {
    bool down = false;
    for (const Hold& h : holds) down = down || (h.key == key && frame >= h.from && frame < h.to);
    plat::TestSetKey(key, down);
  }
  if (closeAtFrame >= 0 && frame == closeAtFrame) {
    closeAtFrame = -1;
    plat::TestRequestClose();
  }
  plat::TestSetKey(32, now - lastFrameAt > 2500);
}

ProgramRun::ProgramRun(bool withFiles) : run(MakeProgramFolder(withFiles)) {}

bool ProgramRun::Start() {
  SetScript(run.mode, [this](int frame) { player.Step(frame); });
  return run.Start();
}

}  // namespace harness
