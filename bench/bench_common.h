// Small helpers shared by the benchmarks: a wall clock, CPU time of the
// process, and argument parsing. Header-only so each bench stays one target.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace bench {

// Opens a window of width x height on the back end, its canvas the same
// size; says so and returns false when it does not open.
inline bool OpenBackend(int backend, int width, int height) {
  plat::SelectGraphicsDriver(backend);
  if (!plat::OpenDisplay(width, height, 0, 60)) {
    std::printf("backend %d: the display did not open\n", backend);
    return false;
  }
  plat::SetVirtualResolution(width, height);
  return true;
}

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// User plus system CPU seconds of every thread of this process (llvmpipe
// rasterises on worker threads, which count too).
inline double ProcessCpuSeconds() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  auto secs = [](const timeval& tv) { return tv.tv_sec + tv.tv_usec / 1e6; };
  return secs(ru.ru_utime) + secs(ru.ru_stime);
}

// CPU seconds another process (the X server) has used so far, from /proc;
// negative when it cannot be read.
inline double OtherProcessCpuSeconds(int pid) {
  if (pid <= 0) return -1;
  std::string path = "/proc/" + std::to_string(pid) + "/stat";
  FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return -1;
  char buf[1024] = {};
  const size_t got = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  buf[got] = 0;
  // Fields after the command name, which is in parentheses and may hold spaces.
  const char* p = std::strrchr(buf, ')');
  if (!p) return -1;
  unsigned long utime = 0, stime = 0;
  if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
    return -1;
  return static_cast<double>(utime + stime) / sysconf(_SC_CLK_TCK);
}

// "--name value" from the command line, or the fallback.
inline int IntArg(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::atoi(argv[i + 1]);
  return fallback;
}

}  // namespace bench
