#pragma once
#include "display/bitmap_file.h"
#include "display/surface.h"

struct SDL_Surface;

// A picture of fixed size read from a .bmp file, with a position. Black is transparent.
class Sprite {
 public:
  Sprite();
  virtual ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  // Creates the surface and fills it from the file; "Could not create surface",
  // "Could not load bitmap file!" (after the reader's own message). The requested size
  // is kept even when a step fails.
  bool Load(const char* path, int width, int height, int depth);
  virtual bool SetPosition(int x, int y);
  // The whole picture at (x, y) with black keyed out; false, and nothing drawn, when it
  // does not lie wholly inside the target.
  virtual bool Draw(SDL_Surface* target);
  // Keys out one colour. Goes by the depth the sprite was made at: every sprite of the
  // game is built before the display exists, so these calls change nothing and the key
  // stays the black that Load set.
  bool SetColorKey(int red, int green, int blue);
  bool ReleaseSurface();

  int width = 0;
  int height = 0;
  int depth;
  int x = 0;
  int y = 0;
  SurfacePtr surface;
  BitmapFile bitmap;

 protected:
  // The whole picture with its top-left corner at (atX, atY).
  bool DrawAt(SDL_Surface* target, int atX, int atY);
};
