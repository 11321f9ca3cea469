#include "util/fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

struct FieldCase {
  std::string text, separator;
  int index;
  std::string expected;
};

// Test names stay printable: other bytes show as \xNN.
std::string Shown(const std::string& text) {
  static const char* const hex = "0123456789abcdef";
  std::string shown = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127) shown += c;
    else shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
  }
  return shown + '"';
}

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << Shown(c.text) << " at " << Shown(c.separator) << " field " << c.index;
}

class GetFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(GetFieldTest, CutsTheField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(GetField(c.text, c.separator, c.index), c.expected)
      << "text \"" << c.text << "\" separator \"" << c.separator << "\" index " << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetFieldTest,
    ::testing::Values(
        FieldCase{"a|b|c", "|", 1, "a"}, FieldCase{"a|b|c", "|", 2, "b"},
        FieldCase{"a|b|c", "|", 3, "c"}, FieldCase{"a|b|c", "|", 4, "-+-"},
        // Index 1 or less is the first field.
        FieldCase{"a|b|c", "|", 0, "a"}, FieldCase{"a|b|c", "|", -7, "a"},
        // No separator: the text is field 1 and field 2, then nothing.
        FieldCase{"abc", "|", 1, "abc"}, FieldCase{"abc", "|", 2, "abc"},
        FieldCase{"abc", "|", 3, "-+-"},
        FieldCase{"a||b", "|", 2, ""}, FieldCase{"a||b", "|", 3, "b"},
        FieldCase{"a|", "|", 2, ""}, FieldCase{"a|", "|", 3, "-+-"},
        FieldCase{"|a", "|", 1, ""}, FieldCase{"|a", "|", 2, "a"},
        // Only the whole text is trimmed, not each field.
        FieldCase{"  x = 1  ", "=", 1, "x "}, FieldCase{"  x = 1  ", "=", 2, " 1"},
        FieldCase{"\t\r\nx=1\x01\x1f", "=", 2, "1"},
        FieldCase{"", "|", 1, ""}, FieldCase{"", "|", 2, ""}, FieldCase{"", "|", 3, "-+-"},
        FieldCase{"   ", "|", 2, ""},
        FieldCase{"fullscreen = on", "=", 1, "fullscreen "},
        FieldCase{"fullscreen = on", "=", 2, " on"},
        FieldCase{"fullscreen", "=", 1, "fullscreen"}, FieldCase{"fullscreen", "=", 2, "fullscreen"},
        // A longer separator: the next field keeps all but its first character.
        FieldCase{"ab::cd", "::", 1, "ab"}, FieldCase{"ab::cd", "::", 2, ":cd"},
        FieldCase{"ab::cd::ef", "::", 3, ":ef"},
        // The scan resumes inside the separator, so "::" at the scan point is field 3's end.
        FieldCase{"ab:::cd", "::", 2, ""}, FieldCase{"ab:::cd", "::", 3, ":cd"},
        // Case-sensitive separator.
        FieldCase{"aXb", "x", 2, "aXb"},
        // Latin-1 bytes above 127 are not blanks.
        FieldCase{"\xa0" "a|b\xff", "|", 1, "\xa0" "a"}, FieldCase{"\xa0" "a|b\xff", "|", 2, "b\xff"},
        // An empty separator matches nowhere.
        FieldCase{"abc", "", 1, "abc"}, FieldCase{"abc", "", 2, "abc"}, FieldCase{"abc", "", 3, "-+-"},
        // Huge indexes end at the first missing separator.
        FieldCase{"a|b", "|", 2147483647, "-+-"}, FieldCase{"abc", "|", 2147483647, "-+-"}));

TEST(GetField, LongTextsAndIndexesEndQuickly) {
  const std::string bars(1 << 20, '|');
  EXPECT_EQ(GetField(bars, "|", 1 << 20), "");
  EXPECT_EQ(GetField(bars, "|", (1 << 20) + 1), "");
  EXPECT_EQ(GetField(bars, "|", (1 << 20) + 2), "-+-");
  const std::string nul("a\0b", 3);
  EXPECT_EQ(GetField(nul, std::string(1, '\0'), 2), "b");
}

struct HexCase {
  std::string text;
  int32_t expected;
};

void PrintTo(const HexCase& c, std::ostream* os) { *os << Shown(c.text); }

class HexToIntTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToIntTest, Reads) { EXPECT_EQ(HexToInt(GetParam().text), GetParam().expected) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Cases, HexToIntTest,
    ::testing::Values(HexCase{"1F", 31}, HexCase{"1f", 16}, HexCase{"", 0}, HexCase{"0", 0},
                      HexCase{"A", 10}, HexCase{"7FFFFFFF", 2147483647},
                      HexCase{"80000000", std::numeric_limits<int32_t>::min()},
                      HexCase{"FFFFFFFF", -1},
                      // Only the last eight characters count.
                      HexCase{"123456789", 0x23456789}, HexCase{"FFFFFFFFFFFFFFFF1", -15},
                      // Signs, blanks and other characters count as digit 0.
                      HexCase{"-1", 1}, HexCase{" 1", 1}, HexCase{"1 ", 16}, HexCase{"G", 0},
                      HexCase{"\xc1", 0}));

TEST(HexToInt, LongTextKeepsLastEightDigits) {
  std::string text(1 << 20, 'F');
  text += "00000010";
  EXPECT_EQ(HexToInt(text), 16);
}

struct ClampCase {
  float value, lower, upper, expected;
};

void PrintTo(const ClampCase& c, std::ostream* os) {
  *os << c.value << " in " << c.lower << ".." << c.upper;
}

class ClampFloatTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampFloatTest, Clamps) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(ClampFloat(c.value, c.lower, c.upper), c.expected)
      << c.value << " in " << c.lower << ".." << c.upper;
}

constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampFloatTest,
    ::testing::Values(ClampCase{300, 0, 255, 255}, ClampCase{-2, 0, 1, 0}, ClampCase{0.5f, 0, 1, 0.5f},
                      ClampCase{0, 0, 1, 0}, ClampCase{1, 0, 1, 1}, ClampCase{kInf, 0, 1, 1},
                      ClampCase{-kInf, 0, 1, 0},
                      // Crossed bounds: the lower bound is applied last and wins.
                      ClampCase{5, 10, 0, 10}, ClampCase{-5, 10, 0, 10}));

TEST(ClampFloat, NotANumberGivesTheLowerBound) {
  EXPECT_EQ(ClampFloat(std::nanf(""), 0.0f, 255.0f), 0.0f);
  EXPECT_EQ(ClampFloat(std::numeric_limits<float>::quiet_NaN(), -3.0f, 1.0f), -3.0f);
}

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  const char raw[] = "\0 \t a b \r\n\x1f";
  EXPECT_EQ(Trim(std::string(raw, sizeof raw - 1)), "a b");
  EXPECT_EQ(Trim(" \x7f "), "\x7f");
  EXPECT_EQ(Trim("\xa0"), "\xa0");
  EXPECT_EQ(Trim(" \t "), "");
}

}  // namespace
