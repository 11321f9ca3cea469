// A bitmap font compiled into the program, so text can always be drawn even
// when no TrueType font is loaded (the debug overlay relies on it).
#pragma once

namespace plat::builtin {

constexpr int kGlyphWidth = 8;    // advance and cell width in pixels
constexpr int kGlyphHeight = 12;  // line height in pixels

// The glyph of a Latin-1 character as kGlyphHeight rows of kGlyphWidth
// characters, '#' for ink and '.' for blank. Characters without a glyph of
// their own give the glyph of '?'.
const char* const* Glyph(unsigned char ch);

}  // namespace plat::builtin
