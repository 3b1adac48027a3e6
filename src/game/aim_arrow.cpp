#include "game/aim_arrow.h"

bool AimArrow::Draw(SDL_Surface* target) { return DrawAt(target, x + offset, y); }

void AimArrow::MoveLeft() {
  offset -= step;
  if (offset < 0) offset = 0;
}

void AimArrow::MoveRight() {
  offset += step;
  if (offset > MaxOffset) offset = MaxOffset;
}
