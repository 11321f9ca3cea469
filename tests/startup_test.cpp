// The program from its entry, headless: start-up, the title loop and the
// closing screen, checked through the log, the files and the exit code.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "display/frame.h"
#include "tests/harness.h"

namespace {

constexpr int kEscape = 27, kZ = 90;

// Presses Escape at frame `at` for `hold` frames, then a key press after the
// farewell has let go of it.
harness::Script QuitAt(int at, int hold = 3) {
  return [at, hold](int frame) {
    plat::TestSetKey(kEscape, frame >= at && frame < at + hold);
    // The farewell presents one frame; a fresh press after it ends the program.
    plat::TestSetKey(kZ, frame > at + hold && plat::Millis() % 4000 > 3000);
  };
}

TEST(StartUp, LogsTheStartUpSequenceAndEndsWithCodeZero) {
  harness::Run run(harness::MakeProgramFolder());
  harness::SetScript(run.mode, QuitAt(20));
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<std::string> log = run.Log();
  for (const auto& l : log) std::printf("[%s]\n", l.c_str());
}

}  // namespace
