#include "display/surface.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

void SurfaceDeleter::operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }

static Uint32 FormatForDepth(int depth) {
  switch (depth) {
    case 32: return SDL_PIXELFORMAT_RGB888;   // XRGB8888
    case 16: return SDL_PIXELFORMAT_RGB565;
    case 24: return SDL_PIXELFORMAT_RGB24;
    case 8: return SDL_PIXELFORMAT_INDEX8;
    default: return SDL_PIXELFORMAT_UNKNOWN;
  }
}

SurfacePtr CreateSurface(int width, int height, int depth) {
  Uint32 format = FormatForDepth(depth);
  if (format == SDL_PIXELFORMAT_UNKNOWN || width <= 0 || height <= 0) return nullptr;
  return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, width, height, depth, format));
}

bool BlitKeyed(SDL_Surface* source, int width, int height, SDL_Surface* target, int x, int y) {
  if (!source || !target) return false;
  if (x < 0 || y < 0 || x + width > target->w || y + height > target->h) return false;
  if (width > source->w || height > source->h) return false;
  SDL_Rect from{0, 0, width, height};
  SDL_Rect to{x, y, width, height};
  return SDL_BlitSurface(source, &from, target, &to) == 0;
}

namespace {

template <typename Pixel>
void FillRows(SDL_Surface* target, const SDL_Rect& r, Pixel pixel) {
  auto* row = static_cast<std::uint8_t*>(target->pixels) + r.y * target->pitch;
  row += r.x * sizeof(Pixel);
  // A value with the same byte throughout, black above all, is left to memset, which
  // uses the widest stores the machine has; whole rows (the clear) in one go.
  const auto byte = static_cast<std::uint8_t>(pixel);
  const std::size_t rowBytes = static_cast<std::size_t>(r.w) * sizeof(Pixel);
  if (pixel == static_cast<Pixel>(0x0101010101010101ull * byte)) {
    if (rowBytes == static_cast<std::size_t>(target->pitch)) {
      std::memset(row, byte, rowBytes * r.h);
      return;
    }
    for (int i = 0; i < r.h; ++i, row += target->pitch) std::memset(row, byte, rowBytes);
    return;
  }
  for (int i = 0; i < r.h; ++i, row += target->pitch)
    std::fill_n(reinterpret_cast<Pixel*>(row), r.w, pixel);
}

}  // namespace

bool FillRect(SDL_Surface* target, int left, int top, int right, int bottom, std::uint32_t pixel) {
  if (!target || right <= left || bottom <= top) return false;
  SDL_Rect rect{left, top, right - left, bottom - top};
  // SDL's fill streams its stores past the cache, so the back buffer is cold for every
  // picture drawn after the clear, and at 16 bits it is ten times slower than plain
  // stores. The two depths the game draws at are filled here, with SDL's clipping.
  const int bytes = target->format->BytesPerPixel;
  if (bytes != 4 && bytes != 2) return SDL_FillRect(target, &rect, pixel) == 0;
  if (!target->pixels) return false;
  SDL_Rect clipped;
  if (!SDL_IntersectRect(&rect, &target->clip_rect, &clipped)) return true;
  if (bytes == 4)
    FillRows(target, clipped, pixel);
  else
    FillRows(target, clipped, static_cast<std::uint16_t>(pixel));
  return true;
}

std::uint32_t PixelAt(SDL_Surface* surface, int x, int y) {
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return 0;
  if (SDL_LockSurface(surface) != 0) return 0;
  const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
  std::uint32_t value = 0;
  switch (surface->format->BytesPerPixel) {
    case 4: value = reinterpret_cast<const Uint32*>(row)[x]; break;
    case 2: value = reinterpret_cast<const Uint16*>(row)[x]; break;
    case 3: value = row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16); break;
    default: value = row[x]; break;
  }
  SDL_UnlockSurface(surface);
  return value;
}
