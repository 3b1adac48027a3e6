// The rules of play on their own: where a ball comes down, how it is judged, the
// re-rack, and the game's own random numbers.
#include <array>
#include <set>
#include <thread>

#include "base/rand.h"
#include "display/surface.h"
#include "game/ball.h"
#include "game/game_objects.h"
#include "game/power_meter.h"
#include "test_support.h"

TEST(HitJudgement, EveryEdgeOfTheMouthAndOfTheRimIsOutsideIt) {
  const int cases[][3] = {{111, 102, InCup},      {149, 115, InCup},      {110, 108, OnRim},
                          {150, 108, OnRim},      {120, 101, OnRim},      {120, 116, OnRim},
                          {96, 101, OnRim},       {169, 117, OnRim},      {95, 108, OutsideCup},
                          {170, 108, OutsideCup}, {120, 100, OutsideCup}, {120, 118, OutsideCup}};
  Cup cup{100, 100};
  for (const auto& [x, y, zone] : cases) EXPECT_EQ(CupRack::CupZone(x, y, cup), zone) << x << "," << y;
  cup.present = 0;
  EXPECT_EQ(CupRack::CupZone(120, 108, cup), OutsideCup);
}

// Clear of every cup, a ball is a miss from row 160 down and over above it.
TEST(HitJudgement, AClearBallIsAMissFromRowOneSixtyDownAndOverAboveIt) {
  CupRack rack;
  LayOut(rack);
  EXPECT_EQ(rack.HitTest(120, 55), 14);   // (390, 150): the back-left cup
  EXPECT_EQ(rack.HitTest(110, 0), Miss);  // (335, 160), left of every cup
  EXPECT_EQ(rack.HitTest(111, 0), Over);  // (335, 159)
}

using Rerack = DisplayTest;

// The ninth removal stands the middle triangle and holds the game, once, on a frame that
// shows it; its front cup holds the full beer only when the old front cup still stood,
// and a penalty spares it.
TEST_F(Rerack, TheNinthRemovalPausesOnceAndTheNewFrontIsFullOnlyIfTheOldOneStood) {
  CupRack rack;
  WriteFile("bmps/cup.bmp", SolidBitmap(80, 100, 0, 0, 255));
  ASSERT_TRUE(rack.Load("bmps\\cup.bmp", 80, 100, DisplayDepth));
  rack.SetPosition(360, 140);
  CurrentRack = &rack;
  for (int i : {1, 2, 3, 5, 6, 9, 10, 14}) rack.RemoveCup(i);
  EXPECT_EQ(platform.ticks, 0u);
  EXPECT_EQ(rack.RemoveCup(4), 15);
  EXPECT_EQ(PixelAt(BackBuffer, rack.GetCup(4).x + 30, rack.GetCup(4).y + 20), 0x0000FFu) << "the pause shows no rack";
  for (int i = 0; i < CupCount; ++i) EXPECT_EQ(rack.cups[i].present, (std::set{4, 7, 8, 11, 12, 13}.count(i))) << i;
  EXPECT_TRUE(rack.TakePenaltyCup() && !rack.cups[7].present && rack.cups[4].present) << "a penalty spares the full cup";
  rack.RemoveCup(4);
  EXPECT_EQ(platform.ticks, 1500u);
  EXPECT_EQ(platform.framesPresented, 1);
  rack.Reset();
  for (int i : {0, 1, 2, 3, 5, 6, 9, 10}) rack.RemoveCup(i);
  EXPECT_EQ(rack.RemoveCup(4), 5);
  CurrentRack = nullptr;
  ReconfigurePending = 0;
  ReconfigureBanner.ReleaseSurface();
}

TEST(BallFlight, EachThrowEndsNearItsLandingPointAndIsJudgedThere) {
  // Power and aim; then the ball's speed across and its x at the launch, the steps it
  // flies, where it comes to rest, and the judgement.
  const std::array<int, 8> cases[] = {
      {0, 0, 7, -1, 48, 335, 232, Miss},       // falls short
      {75, 195, 12, 2, 44, 530, 158, RimHit},  // the rim of cup 3
      {49, 95, 9, -30, 47, 393, 212, 0},       // 46 frames leave it at x 384, one short
  };
  CupRack rack;
  LayOut(rack);
  for (const auto& wanted : cases) {
    Ball ball;
    ball.Throw(wanted[0], wanted[1]);
    const int vx = ball.vx, startX = ball.x;
    int steps = 0;
    while (ball.Step() && steps < 100) ++steps;
    EXPECT_FALSE(ball.Step()) << "an arrived ball stays put";
    EXPECT_EQ((std::array{wanted[0], wanted[1], vx, startX, steps, ball.x, ball.y, rack.HitTest(wanted[0], wanted[1])}),
              wanted);
  }
}

// The meter turns on the frame it reaches 150 or falls below 1, so it shows either end
// for one frame only.
TEST(PowerMeterTravel, TurnsOnTheFrameItReachesEitherEnd) {
  const std::array<int, 5> cases[] = {
      {143, 7, 150, 143, 136}, {146, 7, 150, 143, 136}, {10, -7, 3, 0, 7}, {7, -7, 0, 7, 14}};
  for (const auto& c : cases) {
    PowerMeter meter;
    meter.value = c[0];
    meter.speed = c[1];
    for (int i = 2; i < 5; ++i) {
      meter.Advance();
      EXPECT_EQ(meter.value, c[i]) << "from " << c[0] << ", advance " << i - 1;
    }
  }
}

// The game's numbers are its own: another thread's draws and seeds leave its sequence
// alone, and a new thread starts from seed 1, as the game itself does.
TEST(GameRand, AnotherThreadsDrawsAndSeedsLeaveTheSequenceAlone) {
  crt::srand(2024);
  const int first = crt::rand(), second = crt::rand();
  crt::srand(2024);
  EXPECT_EQ(crt::rand(), first);
  int fresh = 0;
  std::thread([&fresh] {
    fresh = crt::rand();
    crt::srand(7);
    crt::rand();
  }).join();
  EXPECT_EQ(crt::rand(), second);
  EXPECT_EQ(fresh, 41);
}
