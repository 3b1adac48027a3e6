#include "game/aim_arrow.h"

#include <SDL.h>

#include <algorithm>

// The arrow alone is cut at the right edge of the frame instead of being left out: past
// offset 385 its 40-pixel picture reaches beyond x 759, and the player would aim blind at
// the rightmost cups. The cut part of the picture is the empty right of the arrow head.
bool AimArrow::Draw(SDL_Surface* target) {
  const int atX = x + offset;
  const int shown = target ? std::min(width, target->w - atX) : width;
  return BlitKeyed(surface.get(), shown, height, target, atX, y);
}

void AimArrow::MoveLeft() {
  offset -= step;
  if (offset < 0) offset = 0;
}

void AimArrow::MoveRight() {
  offset += step;
  if (offset > MaxOffset) offset = MaxOffset;
}
