// Images: textures cut into equal cells, each with a handle point and a copy
// of its pixels for reads and overlap tests.
#include <cmath>
#include <memory>

#include "platform/internal.h"
#include "platform/images_internal.h"

namespace plat {
namespace detail {
std::vector<std::unique_ptr<ImageRec>> Images;
bool AutoMidHandle = false;

ImageRec* FindImage(int handle) {
  if (handle <= 0 || handle > static_cast<int>(Images.size())) return nullptr;
  return Images[handle - 1].get();
}

int AddImage(int width, int height, std::vector<uint32_t> argb, bool filtered, int cellW, int cellH,
             int first, int count) {
  if (!Scr.renderer || width <= 0 || height <= 0) return 0;
  if (cellW <= 0 || cellW > width) cellW = width;
  if (cellH <= 0 || cellH > height) cellH = height;
  const int cells = (width / cellW) * (height / cellH);
  if (first < 0) first = 0;
  if (count <= 0 || first + count > cells) count = cells - first;
  if (count <= 0) return 0;
  SDL_Texture* tex =
      SDL_CreateTexture(Scr.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!tex) return 0;
  SDL_UpdateTexture(tex, nullptr, argb.data(), width * 4);
  SDL_SetTextureScaleMode(tex, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  auto rec = std::make_unique<ImageRec>();
  rec->texture = tex;
  rec->texW = width;
  rec->texH = height;
  rec->cellW = cellW;
  rec->cellH = cellH;
  rec->first = first;
  rec->count = count;
  rec->pixels = std::move(argb);
  if (AutoMidHandle) {
    rec->hx = cellW / 2.0f;
    rec->hy = cellH / 2.0f;
  }
  Images.push_back(std::move(rec));
  return static_cast<int>(Images.size());
}

SDL_Rect CellRect(const ImageRec& img, int frame) {
  if (frame < 0 || frame >= img.count) frame = 0;
  const int cell = img.first + frame;
  const int columns = img.texW / img.cellW;
  return SDL_Rect{(cell % columns) * img.cellW, (cell / columns) * img.cellH, img.cellW, img.cellH};
}

void DropImages() {
  for (auto& img : Images)
    if (img && img->texture) SDL_DestroyTexture(img->texture);
  ForgetTextureState();
  Images.clear();
}
}  // namespace detail
using namespace detail;

void SetAutoMidHandle(bool on) { AutoMidHandle = on; }

int CreateImage(int width, int height, const uint8_t* rgba, bool filtered, int cellW, int cellH) {
  if (width <= 0 || height <= 0) return 0;
  std::vector<uint32_t> argb(static_cast<size_t>(width) * height, 0);
  if (rgba) {
    for (size_t i = 0; i < argb.size(); ++i) {
      const uint8_t* p = rgba + i * 4;
      argb[i] = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  return AddImage(width, height, std::move(argb), filtered, cellW, cellH, 0, 0);
}

int ImageWidth(int image) {
  const ImageRec* img = FindImage(image);
  return img ? img->cellW : 0;
}
int ImageHeight(int image) {
  const ImageRec* img = FindImage(image);
  return img ? img->cellH : 0;
}
int ImageFrames(int image) {
  const ImageRec* img = FindImage(image);
  return img ? img->count : 0;
}

void SetImageHandle(int image, float x, float y) {
  if (ImageRec* img = FindImage(image)) {
    img->hx = x;
    img->hy = y;
  }
}

uint32_t ReadImagePixel(int image, int frame, int x, int y) {
  const ImageRec* img = FindImage(image);
  if (!img || x < 0 || y < 0 || x >= img->cellW || y >= img->cellH) return 0;
  const SDL_Rect cell = CellRect(*img, frame);
  return img->pixels[static_cast<size_t>(cell.y + y) * img->texW + cell.x + x];
}

void DrawImage(int image, float x, float y, int frame) {
  const ImageRec* img = FindImage(image);
  if (!img) return;
  DrawQuad(img->texture, CellRect(*img, frame), x, y, img->hx, img->hy, Draw.sx, Draw.sy,
           Draw.rotation);
}

void FreeImage(int image) {
  if (image <= 0 || image > static_cast<int>(Images.size())) return;
  auto& slot = Images[image - 1];
  if (slot && slot->texture) SDL_DestroyTexture(slot->texture);
  ForgetTextureState();
  slot.reset();
}

}  // namespace plat
