#pragma once
#include "display/bitmap_file.h"
#include "display/surface.h"

// The texts a picture load shows when a step fails (caption "Tumbra: FAIL"). The sprites
// and the splash animation word them slightly differently.
struct PictureLoadMessages {
  const char* noSurface;
  const char* noFile;
  const char* noUnlock;
};

// Makes a width x height surface at the given depth in `surface`, reads the file into
// `bitmap`, converts its pixels into the surface and keys out black (pixel value 0).
// At a depth other than 16 or 32 it fails silently. On failure after the surface was
// made, the empty surface stays in `surface`.
bool LoadPicture(SurfacePtr& surface, BitmapFile& bitmap, const char* path, int width,
                 int height, int depth, const PictureLoadMessages& messages);

// The pixel value that a colour of the file takes at a depth: at 32 bits B + G*256 +
// R*65536, at 16 bits the top five bits of each component as RGB565 with green's lowest
// bit clear. So at 16 bits every colour whose components are all below 8 becomes 0.
constexpr std::uint32_t PackPicturePixel(int red, int green, int blue, int depth) {
  if (depth == 16)
    return static_cast<std::uint32_t>(blue / 8 + (green / 8) * 64 + (red / 8) * 2048);
  return static_cast<std::uint32_t>(blue + green * 256 + red * 65536);
}
