#pragma once
#include "display/sprite.h"

// The aim arrow that slides along the top of the screen above the rack. Its offset is
// the aim of the throw: the ball comes down at x = 335 + offset, the arrow's own left
// edge when the anchor is the game's (335, 80).
class AimArrow : public Sprite {
 public:
  // The arrow at (x + offset, y), where (x, y) is its anchor, cut at the right edge of
  // the target.
  bool Draw(SDL_Surface* target) override;
  void MoveLeft();
  void MoveRight();

  static constexpr int MaxOffset = 390;

  int step = 8;    // pixels per frame while an arrow key is held
  int offset = 0;  // 0 to MaxOffset
};
