// Plain-SDL reference drawing for the benchmarks: the same work the
// framework's quad path does, written the way a bare SDL program would, so a
// bench can compare the two on the same renderer. Not used by the program.
#pragma once

#include <string>

namespace plat {

// Draws n copies of the image's frame 0, each centred on its handle at
// (xs[i], ys[i]), scaled by scale and rotated by angles[i] degrees, with one
// SDL_RenderCopyExF per sprite. White, opaque, alpha blending.
void BenchDrawPlainSprites(int image, int n, const float* xs, const float* ys, const float* angles,
                           float scale);

// Draws the text glyph by glyph with SDL_RenderCopyF from the font's atlas,
// its top-left corner at (x, y), unscaled and unrotated. White, alpha blending.
void BenchDrawPlainText(int font, const std::string& text, float x, float y);

// Fills the rectangle (x, y, w, h) rotated by degrees about (x, y) with one
// SDL_RenderGeometry call in an opaque colour, blended (SDL_BLENDMODE_BLEND)
// or not (SDL_BLENDMODE_NONE): what an opaque fill costs with and without
// reading the destination.
void BenchFillRotatedRect(float x, float y, float w, float h, float degrees, int r, int g, int b,
                          bool blend);

}  // namespace plat
