#pragma once
#include "display/sprite.h"

// The thrown ball. Where it comes down is fixed at the release: the flight is a parabola
// worked out to end at the landing point, and the rack judges that point afterwards.
// The flight is only what the player sees.
class Ball : public Sprite {
 public:
  // Starts the ball at the lower left on a flight that ends at the landing point
  // (aim + 335, 270 - power).
  void Throw(int power, int aim);
  // One frame along the flight; false, without moving, once the ball has arrived.
  bool Step();
  // Knocks the ball upward off a rim at about the speed it came in with, leaving at the
  // given upward speed.
  void RimBounce(int upward);

  int vx = 0;  // pixels per frame to the right
  int vy = 0;  // pixels per frame upward
  int targetX = 0;
  int targetY = 0;
  int gravity = 0;
};

// The thrower's drink unsteadies the release: at a gauge level of 8 or more, power and
// aim are each moved by a few pixels, power first. Only the ball's flight takes the
// moved values; the throw is judged on the unmoved ones.
void Wobble(int level, int& power, int& aim);

// The upward speed a ball leaves a rim with: 5 to 32, at random.
int RandomRimBounce();
