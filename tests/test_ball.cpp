#include <gtest/gtest.h>

#include "base/rand.h"
#include "game/ball.h"
#include "game/cup_rack.h"
#include "game/game_state.h"

namespace {

// A seed after which the generator's next two values, taken mod n, are a and b.
unsigned SeedGiving(int n, int a, int b) {
  for (unsigned seed = 0;; ++seed) {
    crt::srand(seed);
    const int first = crt::rand() % n;
    if (first == a && crt::rand() % n == b) return seed;
  }
}

}  // namespace

TEST(BallFlight, EachThrowEndsNearItsLandingPointAndIsJudgedThere) {
  struct Case {
    int power, aim;
    int vx, startX, steps, restX, restY, judged;
  };
  const Case cases[] = {
      {0, 0, 7, -1, 48, 335, 232, Miss},       // falls short
      {150, 390, 19, -16, 39, 725, 88, Over},  // sails beyond the rack
      {75, 195, 12, 2, 44, 530, 158, RimHit},  // the rim of cup 3
      {49, 95, 9, -30, 47, 393, 212, 0},       // 46 frames leave it at x 384, one short
  };
  CupRack rack;
  rack.width = 80;
  rack.height = 100;
  rack.SetPosition(360, 140);
  for (const Case& c : cases) {
    Ball ball;
    ball.Throw(c.power, c.aim);
    EXPECT_EQ(ball.vx, c.vx) << c.power << "/" << c.aim;
    EXPECT_EQ(ball.x, c.startX) << c.power << "/" << c.aim;
    int steps = 0;
    while (ball.Step() && steps < 100) ++steps;
    EXPECT_EQ(steps, c.steps) << c.power << "/" << c.aim;
    EXPECT_EQ(ball.x, c.restX) << c.power << "/" << c.aim;
    EXPECT_EQ(ball.y, c.restY) << c.power << "/" << c.aim;
    EXPECT_FALSE(ball.Step());
    EXPECT_EQ(ball.x, c.restX) << "an arrived ball stays put";
    EXPECT_EQ(rack.HitTest(c.power, c.aim), c.judged) << c.power << "/" << c.aim;
  }
}

TEST(RimBounce, TheBallLeavesTheRimUpwardAtTheSpeedItCameWith) {
  Ball ball;
  ball.vx = 12;
  ball.vy = -16;
  crt::srand(SeedGiving(28, 0, 0));
  ball.RimBounce();
  EXPECT_EQ(ball.vy, 5);
  EXPECT_EQ(ball.vx, 19);  // sqrt(400 - 25)

  // an upward speed beyond the old speed leaves nothing sideways
  ball.vx = 12;
  ball.vy = -16;
  crt::srand(SeedGiving(28, 27, 0));
  ball.RimBounce();
  EXPECT_EQ(ball.vy, 32);
  EXPECT_EQ(ball.vx, 0);
}

TEST(Wobble, PowerIsDrawnFirstThenAimEachWithinSixPixelsFromLevelEight) {
  int power = 75, aim = 195;
  crt::srand(SeedGiving(12, 0, 11));
  Wobble(100, power, aim);
  EXPECT_EQ(power, 75 - 6);
  EXPECT_EQ(aim, 195 + 5);

  power = 75;
  crt::srand(SeedGiving(2, 0, 1));
  Wobble(16, power, aim);
  EXPECT_EQ(power, 74);
  EXPECT_EQ(aim, 200);

  Wobble(7, power, aim);  // a level below 8 leaves the throw alone
  EXPECT_EQ(power, 74);
  EXPECT_EQ(aim, 200);

  // level 8 moves nothing either, but still uses up two numbers
  crt::srand(5);
  const int third = (crt::rand(), crt::rand(), crt::rand());
  crt::srand(5);
  Wobble(8, power, aim);
  EXPECT_EQ(crt::rand(), third);
  EXPECT_EQ(power, 74);
}
