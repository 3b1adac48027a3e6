#include "game/ball.h"

#include <cmath>

#include "base/rand.h"
#include "base/throw_geometry.h"

void Ball::Throw(int power, int aim) {
  gravity = -1;
  x = -30;
  y = 400;
  vy = 28;
  targetX = LandingX(aim);
  targetY = LandingY(power);
  const int dx = targetX + 30;
  // The drop is measured from 450, not from the start at 400; every flight time of the
  // game rests on that constant.
  const int dh = 450 - targetY;
  const int d = 4 * vy * vy - (gravity * 4 * (-2)) * dh;
  const double s = std::sqrt(static_cast<double>(d));
  const double flightTime = (-2 * vy - s) / (2 * gravity);
  vx = static_cast<int>(dx / flightTime);
  // Whole pixels per frame leave part of the way uncovered; start that much farther
  // right.
  x += dx % static_cast<int>(flightTime);
}

bool Ball::Step() {
  if (x >= targetX - 40 && y >= targetY - 40) return false;
  vy += gravity;
  y -= vy;
  x += vx;
  return true;
}

void Ball::RimBounce(int upward) {
  const int q = vx * vx + vy * vy;
  vy = upward;
  const int r = q - vy * vy;
  // Straight up when the new upward speed alone is more than the ball had.
  vx = r < 0 ? 0 : static_cast<int>(std::sqrt(static_cast<double>(r)));
}

int RandomRimBounce() { return crt::rand() % 28 + 5; }

void Wobble(int level, int& power, int& aim) {
  const int j = level / 8;
  if (j == 0) return;
  power += crt::rand() % j - j / 2;
  aim += crt::rand() % j - j / 2;
}
