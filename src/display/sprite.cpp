#include "display/sprite.h"

#include <SDL.h>

#include "display/display.h"
#include "display/picture.h"

Sprite::Sprite() : depth(DisplayDepth) {}

Sprite::~Sprite() { ReleaseSurface(); }

bool Sprite::Load(const char* path, int w, int h, int atDepth) {
  width = w;
  height = h;
  static const PictureLoadMessages messages{"Could not create surface", "Could not load bitmap file!",
                                            "Could not unlock surface!"};
  return LoadPicture(surface, bitmap, path, w, h, atDepth, messages);
}

bool Sprite::SetPosition(int atX, int atY) {
  x = atX;
  y = atY;
  return true;
}

bool Sprite::Draw(SDL_Surface* target) { return DrawAt(target, x, y); }

bool Sprite::DrawAt(SDL_Surface* target, int atX, int atY) {
  return BlitKeyed(surface.get(), width, height, target, atX, atY);
}

bool Sprite::SetColorKey(int red, int green, int blue) {
  if (depth != 16 && depth != 32) return false;
  if (surface) SDL_SetColorKey(surface.get(), SDL_TRUE, PackPicturePixel(red, green, blue, depth));
  return true;
}

bool Sprite::ReleaseSurface() {
  surface.reset();
  return true;
}
