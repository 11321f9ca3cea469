// Runs the real program headless in test mode: a fresh program folder with
// the built Files/ tree, a virtual clock, scripted input and the process end
// captured as an exit code.
#pragma once

#include <functional>
#include <string>
#include <vector>

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

// Scripted input by frame: the function runs at every input pump and sees
// how many frames have been presented.
using Script = std::function<void(int frame)>;
void SetScript(plat::TestMode& mode, Script script);

}  // namespace harness
