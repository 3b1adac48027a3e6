#pragma once
#include <cstdint>
#include <memory>

struct SDL_Surface;

// Off-screen pictures live in SDL surfaces in the display's own pixel format, so that
// drawing one is a plain keyed copy with no conversion:
//   32 bits: XRGB8888, blue in bits 0-7, green 8-15, red 16-23
//   16 bits: RGB565, red 5 bits on top, green 6, blue 5
// (24 and 8 bits can be made too; the game refuses to draw at those depths.)
struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const;
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Null when the depth has no format or SDL cannot make the surface.
SurfacePtr CreateSurface(int width, int height, int depth);

// Copies the whole width x height picture of source onto target with its top-left
// corner at (x, y), skipping pixels equal to the source's colour key. The target has no
// clipper: a picture that does not lie wholly inside the target is not drawn at all, and
// the result is false; so is a missing source.
bool BlitKeyed(SDL_Surface* source, int width, int height, SDL_Surface* target, int x, int y);

// Colour-fills the rectangle [left, right) x [top, bottom) of target, clipped to the
// surface, with a raw pixel value of the target's depth. False when the rectangle is
// empty or the surface holds no plain pixels (a run-length encoded picture).
bool FillRect(SDL_Surface* target, int left, int top, int right, int bottom, std::uint32_t pixel);

// Reads the raw pixel value at (x, y); 0 outside the surface. For tests and tools.
std::uint32_t PixelAt(SDL_Surface* surface, int x, int y);
