// Text fields and number helpers shared by the readers of the settings and
// score files and by the drawing helpers. Texts are Latin-1 bytes; field
// numbers count from 1.
#pragma once

#include <cstdint>
#include <string>

// What GetField returns for a field that does not exist.
inline const std::string NoField = "-+-";

// Removes every leading and trailing character whose code is 32 or less
// (blanks, tabs, CR, LF and the other control characters).
std::string Trim(const std::string& text);

// Field `index` of the trimmed text cut at `separator` (case-sensitive), or
// NoField. An index of 1 or less gives field 1. Quirks the file formats rely
// on: a text without the separator has itself as field 2 too, and after a
// separator of several characters the next field keeps all but its first
// character. An empty separator never matches.
std::string GetField(const std::string& text, const std::string& separator, int index);

// Reads upper-case hexadecimal; every other character counts as digit 0.
// 32-bit arithmetic that wraps, so only the last eight characters count.
int32_t HexToInt(const std::string& text);

// The value limited to upper, then raised to lower; a NaN gives lower.
float ClampFloat(float value, float lower, float upper);
