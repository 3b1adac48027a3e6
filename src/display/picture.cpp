#include "display/picture.h"

#include <SDL.h>

#include "platform/platform.h"

std::uint32_t PackPicturePixel(int red, int green, int blue, int depth) {
  if (depth == 16)
    return static_cast<std::uint32_t>(blue / 8 + (green / 8) * 64 + (red / 8) * 2048);
  return static_cast<std::uint32_t>(blue + green * 256 + red * 65536);
}

namespace {

template <typename Pixel>
void ConvertRows(const BitmapFile& bitmap, SDL_Surface* surface, int width, int height, int depth) {
  const std::uint8_t* source = bitmap.pixels.get();
  for (int r = 0; r < height; ++r) {
    Pixel* row = reinterpret_cast<Pixel*>(static_cast<std::uint8_t*>(surface->pixels) + r * surface->pitch);
    for (int c = 0; c < width; ++c) {
      const std::uint8_t* s = source + (static_cast<size_t>(r) * width + c) * 3;
      row[c] = static_cast<Pixel>(PackPicturePixel(s[2], s[1], s[0], depth));
    }
  }
}

}  // namespace

bool LoadPicture(SurfacePtr& surface, BitmapFile& bitmap, const char* path, int width,
                 int height, int depth, const PictureLoadMessages& messages) {
  surface = CreateSurface(width, height, depth);
  if (!surface) {
    MainWindow->MessageBox(messages.noSurface, "Tumbra: FAIL");
    return false;
  }
  if (!ReadBitmapFile(bitmap, path) || !CheckPictureForm(bitmap, width, height)) {
    FreeBitmapFile(bitmap);
    MainWindow->MessageBox(messages.noFile, "Tumbra: FAIL");
    return false;
  }
  bool converted = (depth == 16 || depth == 32) && SDL_LockSurface(surface.get()) == 0;
  if (converted) {
    if (depth == 32)
      ConvertRows<std::uint32_t>(bitmap, surface.get(), width, height, depth);
    else
      ConvertRows<std::uint16_t>(bitmap, surface.get(), width, height, depth);
    SDL_UnlockSurface(surface.get());
    // Key out black, and let SDL run-length encode the transparent spans: drawing then
    // skips them wholesale instead of testing every pixel.
    SDL_SetColorKey(surface.get(), SDL_TRUE, 0);
    SDL_SetSurfaceRLE(surface.get(), 1);
  }
  FreeBitmapFile(bitmap);
  return converted;
}
