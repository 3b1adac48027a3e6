#include "display/picture.h"

#include <SDL.h>

#include "platform/platform.h"

namespace {

// The depth is fixed for the whole picture, so the packing is compiled once per depth.
template <typename Pixel, int Depth>
void ConvertRows(const BitmapFile& bitmap, SDL_Surface* surface, int width, int height) {
  const std::uint8_t* s = bitmap.pixels.get();
  for (int r = 0; r < height; ++r) {
    Pixel* row = reinterpret_cast<Pixel*>(static_cast<std::uint8_t*>(surface->pixels) + r * surface->pitch);
    for (int c = 0; c < width; ++c, s += 3)
      row[c] = static_cast<Pixel>(PackPicturePixel(s[2], s[1], s[0], Depth));
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
      ConvertRows<std::uint32_t, 32>(bitmap, surface.get(), width, height);
    else
      ConvertRows<std::uint16_t, 16>(bitmap, surface.get(), width, height);
    SDL_UnlockSurface(surface.get());
    // Key out black, and let SDL run-length encode the transparent spans: drawing then
    // skips them wholesale instead of testing every pixel.
    SDL_SetColorKey(surface.get(), SDL_TRUE, 0);
    SDL_SetSurfaceRLE(surface.get(), 1);
  }
  FreeBitmapFile(bitmap);
  return converted;
}
