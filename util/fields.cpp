#include "util/fields.h"

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t end = text.size();
  while (first < end && IsBlank(text[first])) ++first;
  while (end > first && IsBlank(text[end - 1])) --end;
  return text.substr(first, end - first);
}

std::string GetField(const std::string& text, const std::string& separator, int index) {
  const std::string trimmed = Trim(text);
  // An empty separator would be "found" everywhere; treat it as absent.
  auto find = [&](size_t from) {
    return separator.empty() ? std::string::npos : trimmed.find(separator, from);
  };
  size_t scan = 0;
  for (int repetition = 1; repetition < index; ++repetition) {
    const size_t at = find(scan);
    if (at == std::string::npos) {
      if (repetition == 1) continue;  // a text without any separator is its own field 2
      return NoField;
    }
    // Resume one past the separator's first character, not past its end:
    // the score file's reader depends on that.
    scan = at + 1;
  }
  const size_t end = find(scan);
  if (end == std::string::npos) return trimmed.substr(scan);
  return trimmed.substr(scan, end - scan);
}

int32_t HexToInt(const std::string& text) {
  uint32_t value = 0;  // unsigned, so the wrap is defined
  for (char c : text) {
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
    value = value * 16u + digit;
  }
  return static_cast<int32_t>(value);
}

float ClampFloat(float value, float lower, float upper) {
  const float capped = value > upper ? upper : value;
  // Written as "at least lower" so that a NaN falls through to lower.
  return capped >= lower ? capped : lower;
}
