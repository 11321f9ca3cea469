// Pixel-exact overlap of two image frames, each placed as DrawQuad places it:
// source point p lands on  (x, y) + R(rot) * (sx * (p.x - hx), sy * (p.y - hy)),
// R turning clockwise on screen (y down). A canvas pixel counts for an image
// when its centre maps back into a source pixel of the frame with alpha > 0:
// the rule a rasteriser uses to decide which pixels a quad covers.
#include <algorithm>
#include <cmath>

#include "platform/images_internal.h"
#include "platform/internal.h"

namespace plat {
namespace {

// Beyond this a coordinate is far off any canvas; clamping keeps the loop
// bounds inside 64-bit range whatever the inputs.
constexpr double kFarAway = 1e9;

struct Placement {
  const detail::ImageRec* img = nullptr;
  SDL_Rect cell{};
  double x = 0, y = 0, sx = 1, sy = 1, c = 1, s = 0, hx = 0, hy = 0;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;   // canvas bounding box
};

// Quarter turns get exact sines, so a 90-degree turn maps pixel centres
// without rounding drift.
void TurnOf(double degrees, double& c, double& s) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r == 0.0) { c = 1; s = 0; return; }
  if (r == 90.0) { c = 0; s = 1; return; }
  if (r == 180.0) { c = -1; s = 0; return; }
  if (r == 270.0) { c = 0; s = -1; return; }
  const double rad = r * M_PI / 180.0;
  c = std::cos(rad);
  s = std::sin(rad);
}

bool Place(int image, int frame, float x, float y, float sx, float sy, float rot, Placement& p) {
  p.img = detail::FindImage(image);
  if (!p.img) return false;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(sx) || !std::isfinite(sy) ||
      !std::isfinite(rot) || sx == 0.0f || sy == 0.0f)
    return false;   // drawn as nothing
  p.cell = detail::CellRect(*p.img, frame);
  p.x = x;
  p.y = y;
  p.sx = sx;
  p.sy = sy;
  p.hx = p.img->hx;
  p.hy = p.img->hy;
  TurnOf(rot, p.c, p.s);
  p.minX = p.minY = HUGE_VAL;
  p.maxX = p.maxY = -HUGE_VAL;
  const double us[2] = {0, static_cast<double>(p.cell.w)}, vs[2] = {0, static_cast<double>(p.cell.h)};
  for (double u : us)
    for (double v : vs) {
      const double a = p.sx * (u - p.hx), b = p.sy * (v - p.hy);
      const double cx = p.x + a * p.c - b * p.s, cy = p.y + a * p.s + b * p.c;
      p.minX = std::min(p.minX, cx);
      p.maxX = std::max(p.maxX, cx);
      p.minY = std::min(p.minY, cy);
      p.maxY = std::max(p.maxY, cy);
    }
  return true;
}

bool OpaqueAt(const Placement& p, double cx, double cy) {
  const double dx = cx - p.x, dy = cy - p.y;
  const double u = p.hx + (dx * p.c + dy * p.s) / p.sx;
  const double v = p.hy + (-dx * p.s + dy * p.c) / p.sy;
  if (!(u >= 0 && v >= 0 && u < p.cell.w && v < p.cell.h)) return false;
  const int iu = std::min(static_cast<int>(u), p.cell.w - 1);
  const int iv = std::min(static_cast<int>(v), p.cell.h - 1);
  const uint32_t pixel =
      p.img->pixels[static_cast<size_t>(p.cell.y + iv) * p.img->texW + p.cell.x + iu];
  return (pixel >> 24) != 0;
}

}  // namespace

bool ImagesOverlap(int image1, int frame1, float x1, float y1, float sx1, float sy1, float rot1,
                   int image2, int frame2, float x2, float y2, float sx2, float sy2, float rot2) {
  Placement a, b;
  if (!Place(image1, frame1, x1, y1, sx1, sy1, rot1, a)) return false;
  if (!Place(image2, frame2, x2, y2, sx2, sy2, rot2, b)) return false;
  const double left = std::clamp(std::max(a.minX, b.minX), -kFarAway, kFarAway);
  const double right = std::clamp(std::min(a.maxX, b.maxX), -kFarAway, kFarAway);
  const double top = std::clamp(std::max(a.minY, b.minY), -kFarAway, kFarAway);
  const double bottom = std::clamp(std::min(a.maxY, b.maxY), -kFarAway, kFarAway);
  if (left > right || top > bottom) return false;
  // Every pixel whose centre lies in the shared box; OpaqueAt rejects the
  // centres outside either quad.
  const int64_t i0 = static_cast<int64_t>(std::floor(left - 0.5)), i1 = static_cast<int64_t>(std::ceil(right));
  const int64_t j0 = static_cast<int64_t>(std::floor(top - 0.5)), j1 = static_cast<int64_t>(std::ceil(bottom));
  for (int64_t j = j0; j <= j1; ++j) {
    const double cy = static_cast<double>(j) + 0.5;
    if (cy < top || cy > bottom) continue;
    for (int64_t i = i0; i <= i1; ++i) {
      const double cx = static_cast<double>(i) + 0.5;
      if (cx < left || cx > right) continue;
      if (OpaqueAt(a, cx, cy) && OpaqueAt(b, cx, cy)) return true;
    }
  }
  return false;
}

}  // namespace plat
