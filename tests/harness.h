// Runs the real program headless in test mode: a fresh program folder with
// the built Files/ tree, a virtual clock, scripted input and the process end
// captured as an exit code.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace harness {

// Where the build put the runnable tree (the folder that holds Files/).
std::string RuntimeFolder();
// A new empty temporary folder.
std::string MakeTempFolder();
// A temporary program folder holding a copy of the built Files/ tree.
std::string MakeProgramFolder(bool withFiles = true);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// The file's lines as the program's readers see them.
std::vector<std::string> ReadLines(const std::string& path);

struct Run {
  std::string folder;                      // the program folder
  plat::TestMode mode;
  bool ended = false;
  int exitCode = -1;

  explicit Run(std::string programFolder);
  // Runs the program from its entry until it ends; false if it did not end
  // within the frame limit (the script then stops being asked).
  bool Start();
  std::vector<std::string> Log() const;    // Files/Debug.txt
  std::string Files() const { return folder + "Files/"; }
};

// A fixture with a headless 640 x 480 display whose canvas is the same size,
// and a fresh program state: for tests of drawing and widgets.
class HeadlessDisplay : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  plat::TestMode mode;
};

// Scripted input by frame: the function runs at every input pump and sees
// how many frames have been presented.
using Script = std::function<void(int frame)>;
void SetScript(plat::TestMode& mode, Script script);

// A scripted player for whole-program runs: keys and mouse buttons held over
// ranges of presented frames, pointer moves and one-off actions at frames,
// and a finisher that presses Space once frames have stopped for a while
// (the farewell shows a single frame and waits for a press).
struct Player {
  struct Hold {
    int key, from, to;   // held while from <= frame < to; keys 1-3 are mouse buttons
  };
  std::vector<Hold> holds;
  std::vector<std::pair<int, std::pair<float, float>>> moves;   // frame, canvas point
  std::vector<std::pair<int, std::function<void()>>> actions;   // run once at their frame
  int closeAtFrame = -1;
  int lastFrame = -1;
  uint32_t lastFrameAt = 0;
  std::vector<uint32_t> frameTimes;   // Millis when each new frame was first seen

  void Step(int frame);
};

// A program folder with the built assets, a test-mode run of it and a player.
struct ProgramRun {
  Run run;
  Player player;
  explicit ProgramRun(bool withFiles = true);
  bool Start();
};

}  // namespace harness
