// Files and folders. Paths are relative to the current folder unless absolute.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "platform/atomic_file.h"
#include "platform/internal.h"
#include "platform/text_lines.h"

namespace plat {
using namespace detail;

namespace {
std::map<int, FILE*> OpenFiles;
int NextFileHandle = 1;
// A settings or score file is a few kilobytes; refuse to swallow anything
// absurd (a device, a runaway file) whole.
constexpr long kMaxReadBytes = 64L * 1024 * 1024;
}  // namespace

std::string ProgramFolder() {
  if (!Run.programFolder.empty()) return Run.programFolder;
  std::string folder;
  if (Run.test.enabled && !Run.test.programFolder.empty()) {
    folder = Run.test.programFolder;
  } else if (char* base = SDL_GetBasePath()) {
    folder = base;
    SDL_free(base);
  } else {
    folder = CurrentDir();
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool ChangeDir(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string CurrentDir() {
  std::error_code ec;
  std::string dir = std::filesystem::current_path(ec).string();
  if (ec) return "";
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DeleteFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool CreateEmptyFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  return std::fclose(f) == 0;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  if (!FileExists(path)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string bytes;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    bytes.append(buf, n);
    if (static_cast<long>(bytes.size()) >= kMaxReadBytes) break;
  }
  std::fclose(f);
  lines = SplitLines(bytes);
  return true;
}

bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  return detail::WriteFileAtomically(path, [&lines](FILE* f) {
    for (const std::string& line : lines)
      if (std::fwrite(line.data(), 1, line.size(), f) != line.size() || std::fputs("\r\n", f) < 0) return false;
    return true;
  });
}

int CreateTextFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  const int handle = NextFileHandle++;
  OpenFiles[handle] = f;
  return handle;
}

void WriteTextLine(int file, const std::string& line) {
  auto it = OpenFiles.find(file);
  if (it == OpenFiles.end()) return;
  std::fwrite(line.data(), 1, line.size(), it->second);
  std::fputs("\r\n", it->second);
  // The log must survive a crash in the middle of a display set-up.
  std::fflush(it->second);
}

void CloseTextFile(int file) {
  auto it = OpenFiles.find(file);
  if (it == OpenFiles.end()) return;
  std::fclose(it->second);
  OpenFiles.erase(it);
}

}  // namespace plat
