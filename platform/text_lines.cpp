#include "platform/text_lines.h"

namespace plat {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool open = true;  // a line has begun and is not yet ended
  for (char c : bytes) {
    if (c == '\n' || c == '\0') {
      lines.push_back(line);
      line.clear();
      open = false;
    } else {
      if (c != '\r') line += c;
      open = true;
    }
  }
  if (open || lines.empty()) lines.push_back(line);
  return lines;
}

}  // namespace plat
