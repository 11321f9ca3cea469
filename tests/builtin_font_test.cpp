// The built-in font is the text of last resort: a malformed or misplaced
// glyph shows up as garbage in the debug overlay with nothing to fall back to.
#include "platform/builtin_font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace {

using plat::builtin::Glyph;
using plat::builtin::kGlyphHeight;
using plat::builtin::kGlyphWidth;

std::string Flat(unsigned char ch) {
  std::string s;
  const char* const* rows = Glyph(ch);
  for (int y = 0; y < kGlyphHeight; ++y) s += rows[y];
  return s;
}

bool HasInk(const std::string& flat) { return flat.find('#') != std::string::npos; }

// First and last rows holding ink.
std::pair<int, int> InkRows(unsigned char ch) {
  const char* const* rows = Glyph(ch);
  int top = -1, bottom = -1;
  for (int y = 0; y < kGlyphHeight; ++y)
    if (std::strchr(rows[y], '#') != nullptr) {
      if (top < 0) top = y;
      bottom = y;
    }
  return {top, bottom};
}

bool HasOwnGlyph(unsigned char ch) { return ch == '?' || Glyph(ch) != Glyph('?'); }

std::string Name(unsigned ch) {
  char text[32];
  std::snprintf(text, sizeof text, "character 0x%02X", ch);
  return text;
}

TEST(BuiltinFont, EveryGlyphIsAWellFormedCell) {
  for (unsigned ch = 0; ch < 256; ++ch) {
    SCOPED_TRACE(Name(ch));
    const char* const* rows = Glyph(static_cast<unsigned char>(ch));
    ASSERT_NE(rows, nullptr);
    for (int y = 0; y < kGlyphHeight; ++y) {
      ASSERT_NE(rows[y], nullptr) << "row " << y;
      ASSERT_EQ(std::strlen(rows[y]), static_cast<size_t>(kGlyphWidth)) << "row " << y;
      for (int x = 0; x < kGlyphWidth; ++x)
        EXPECT_TRUE(rows[y][x] == '#' || rows[y][x] == '.') << "row " << y << " column " << x;
      EXPECT_EQ(rows[y][kGlyphWidth - 1], '.') << "spacing column inked on row " << y;
    }
  }
}

TEST(BuiltinFont, RequiredCharactersHaveTheirOwnInkedGlyph) {
  std::string required;
  for (int ch = 0x21; ch <= 0x7E; ++ch) required += static_cast<char>(ch);
  required += "\xE9\xE8\xE0\xE7\xFC\xF6\xE4\xDF\xC4\xD6\xDC\xF1\xA9";  // éèàçüöäßÄÖÜñ©
  for (unsigned char ch : required) {
    SCOPED_TRACE(Name(ch));
    EXPECT_TRUE(HasOwnGlyph(ch));
    EXPECT_TRUE(HasInk(Flat(ch)));
  }
  EXPECT_FALSE(HasInk(Flat(' ')));
  EXPECT_TRUE(HasOwnGlyph(' '));
}

TEST(BuiltinFont, DistinctCharactersLookDistinct) {
  std::map<std::string, unsigned> seen;
  for (unsigned ch = 0; ch < 256; ++ch) {
    if (!HasOwnGlyph(static_cast<unsigned char>(ch))) continue;
    auto [it, added] = seen.emplace(Flat(static_cast<unsigned char>(ch)), ch);
    EXPECT_TRUE(added) << Name(ch) << " draws the same as " << Name(it->second);
  }
}

TEST(BuiltinFont, CharactersWithoutAGlyphShowTheQuestionMark) {
  const std::string question = Flat('?');
  for (unsigned char ch : {0x00, 0x09, 0x0A, 0x1F, 0x7F, 0x80, 0x9F}) {
    SCOPED_TRACE(Name(ch));
    EXPECT_EQ(Flat(ch), question);
  }
}

// A glyph one row off sits visibly above or below its neighbours in a word.
TEST(BuiltinFont, LettersShareBaselineAndHeights) {
  const auto [capTop, baseline] = InkRows('H');
  const int xTop = InkRows('x').first;
  ASSERT_LT(capTop, xTop);
  struct Group {
    const char* members;
    int top;     // -1: not checked
    int bottom;  // -1: must reach below the baseline
  };
  const Group groups[] = {
      {"ABCDEFGHIJKLMNOPRSTUVWXYZ0123456789", capTop, baseline},
      {"acemnorsuvwxz", xTop, baseline},
      {"bdhkl", capTop, baseline},
      {"gpqy", xTop, -1},
      {"j", -1, -1},
      {"\xC4\xD6\xDC", -1, baseline},  // accented capitals keep the letter's feet
      {"\xE4\xF6\xFC\xE9\xE8\xE0\xF1", -1, baseline},
  };
  for (const Group& group : groups)
    for (const char* p = group.members; *p != '\0'; ++p) {
      const auto ch = static_cast<unsigned char>(*p);
      SCOPED_TRACE(Name(ch));
      const auto [top, bottom] = InkRows(ch);
      if (group.top >= 0) {
        EXPECT_EQ(top, group.top);
      }
      if (group.bottom >= 0) {
        EXPECT_EQ(bottom, group.bottom);
      } else {
        EXPECT_GT(bottom, baseline);
      }
    }
}

}  // namespace
