#include "display/debug_log.h"

#include "platform/platform.h"

namespace {
int LogFile = 0;
}

void OpenDebugLog(const std::string& path) {
  CloseDebugLog();
  LogFile = plat::CreateTextFile(path);
}

void DebugLog(const std::string& text) {
  if (LogFile != 0) plat::WriteTextLine(LogFile, text);
}

void CloseDebugLog() {
  if (LogFile != 0) plat::CloseTextFile(LogFile);
  LogFile = 0;
}
