// The log "Debug.txt": one entry per line, no time stamps. Top-level steps at
// the left margin, details after one tab, empty lines between groups.
#pragma once

#include <string>

// Creates the log anew at path. When it cannot be created, DebugLog writes nothing.
void OpenDebugLog(const std::string& path);
// Appends one line (its characters as single bytes, then CR LF).
void DebugLog(const std::string& text);
void CloseDebugLog();
