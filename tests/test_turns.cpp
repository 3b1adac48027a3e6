// Throws inside whole turns of the running game, and the computer's choice of shot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/program.h"
#include "base/rand.h"
#include "base/settings.h"
#include "base/throw_geometry.h"
#include "game/computer_turn.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/installed_turn.h"
#include "test_support.h"

namespace {

// A seed after which the generator's next value, taken mod n, is a.
unsigned SeedGiving(int n, int a) {
  for (unsigned seed = 0;; ++seed) {
    crt::srand(seed);
    if (crt::rand() % n == a) return seed;
  }
}

// The game started on the generated data, a single-player game begun.
class Turns : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directory_symlink(RunFolder() / "bmps", folder / "bmps");
    std::filesystem::create_directory_symlink(RunFolder() / "wavs", folder / "wavs");
    std::filesystem::create_directory(folder / "music");
    WriteFile("config.ini", DefaultConfigText);
    ASSERT_TRUE(StartUp());
    platform.PostMessage(WM_COMMAND, SinglePlayerButton);
    ASSERT_TRUE(MainLoopPass());
  }
  void TearDown() override {
    ShutDown();
    HeadlessTest::TearDown();
  }
  // Passes until the state is reached; false when 500 passes do not reach it.
  bool RunUntil(int state) {
    for (int i = 0; i < 500 && PlayState != state; ++i) MainLoopPass();
    return PlayState == state;
  }
  // Starts the human's throw and aims it at (x, y) on the table.
  void AimAt(int x, int y) {
    ASSERT_TRUE(RunUntil(Ready));
    platform.PostMessage(WM_CHAR, EnterChar);
    ASSERT_TRUE(RunUntil(Aiming));
    Arrow.offset = AimFor(x);
    Meter.value = PowerFor(y);
    platform.PostMessage(WM_CHAR, EnterChar);
  }
};

// The drink moves the ball's flight, never the judgement: a throw into the near edge of
// the front cup's mouth, pulled 6 pixels short by the drink, still drops in.
TEST_F(Turns, AHumanThrowIsJudgedWhereItWasAimedNotWhereTheDrinkSentIt) {
  RedRack->gauge.level = 100;
  const Cup cup = RedRack->GetCup(0);
  AimAt(cup.x + 30, cup.y + 14);
  crt::srand(SeedGiving(12, 0));
  MainLoopPass();
  EXPECT_EQ(TheBall.targetY, cup.y + 20);
  ASSERT_TRUE(RunUntil(Outcome));
  EXPECT_EQ(InstalledThrowResult(), 0);
  ASSERT_TRUE(RunUntil(Ready));
  EXPECT_EQ(RedRack->CupsHit(), 1);
}

// A ball on a rim bounces up and away for 31 frames; then the turn passes, nothing drunk.
TEST_F(Turns, ARimHitBouncesForThirtyOneFramesAndTakesNoCup) {
  const Cup cup = RedRack->GetCup(0);
  AimAt(cup.x + 10, cup.y + 8);
  ASSERT_TRUE(RunUntil(Landing));
  MainLoopPass();
  EXPECT_EQ(InstalledThrowResult(), RimHit);
  const int rimY = TheBall.y;
  MainLoopPass();
  EXPECT_LT(TheBall.y, rimY) << "the ball leaves the rim upward";
  int frames = 2;
  for (; PlayState == Outcome && frames < 100; ++frames) MainLoopPass();
  EXPECT_EQ(frames, 31);
  EXPECT_EQ(CurrentRack, BlueRack);
  EXPECT_EQ(RedRack->CupsHit(), 0);
  EXPECT_EQ(BlueRack->gauge.level, 0);
}

// The computer never waits for a power its meter cannot show: a rack out of reach above
// gets the meter's top, one below gets its bottom.
TEST_F(Turns, TheComputerThrowsAtTheMetersEndWhenItsCupIsOutOfReach) {
  for (const auto& [rackY, landingY] : {std::pair{20, LandingY(150)}, std::pair{300, LandingY(0)}}) {
    BlueRack->SetPosition(360, rackY);
    AimAt(LandingX(0), LandingY(0));  // the human misses short
    ASSERT_TRUE(RunUntil(Ready));
    ASSERT_EQ(FrameHandler, ComputerTurnFrame);
    platform.PostMessage(WM_CHAR, EnterChar);
    ASSERT_TRUE(RunUntil(Flight)) << "rack at " << rackY;
    EXPECT_EQ(TheBall.targetY, landingY) << "rack at " << rackY;
    ASSERT_TRUE(RunUntil(Ready));
  }
}

// Where the computer's shot lands: how far from the middle of the mouth of the nearest
// standing cup, across and along the table, and which cup that is.
struct Landing {
  int cup, dx, dy;
};
Landing ComputerLanding(const CupRack& target, const CupRack& own, std::int64_t seconds) {
  HeadlessPlatform window;
  MainWindow = &window;
  window.timeBase = seconds;
  int aim, power;
  ChooseComputerShot(target, own, aim, power);
  Landing best{-1, 1000, 1000};
  for (int i = 0; i < CupCount; ++i) {
    const Cup cup = target.GetCup(i);
    const Landing l{i, LandingX(aim) - (cup.x + 30), LandingY(power) - (cup.y + 8)};
    if (cup.present && std::abs(l.dx) + std::abs(l.dy) < std::abs(best.dx) + std::abs(best.dy)) best = l;
  }
  return best;
}

TEST(ComputerShot, ItAimsAtAStandingCupAndMissesWiderWhenAheadAndAtTheLastCup) {
  struct Case {
    const char* what;
    std::set<int> standing;
    int ownHit;
    int most;  // the widest miss along the table, in pixels
  };
  const Case cases[] = {
      {"level", {2, 12}, 13, 9},        {"behind by two", {2, 12}, 15, 9},
      {"ahead by ten", {2, 12}, 3, 29}, {"at the last cup", {13}, 14, 18},
      {"at a last cup before the re-rack", {1}, 14, 18},
  };
  for (const Case& c : cases) {
    CupRack target, own;
    target.width = own.width = 80;
    target.height = own.height = 100;
    target.SetPosition(360, 140);
    for (int i = 0; i < CupCount; ++i) target.cups[i].present = c.standing.count(i);
    target.cupsHit = CupCount - static_cast<int>(c.standing.size());
    own.cupsHit = c.ownHit;
    std::set<int> picked;
    int widest = 0;
    for (int seconds = 0; seconds < 300; ++seconds) {
      const Landing l = ComputerLanding(target, own, seconds);
      picked.insert(l.cup);
      widest = std::max(widest, std::abs(l.dy));
      EXPECT_LE(std::abs(l.dx), 3 * c.most / 2 + 5) << c.what;
    }
    EXPECT_EQ(picked, c.standing) << c.what;
    EXPECT_GE(widest, c.most - 1) << c.what;
    EXPECT_LE(widest, c.most + 1) << c.what;
  }
  MainWindow = nullptr;
}

// A frame lasts 30 ms from its start, also when the millisecond counter wraps inside it.
TEST(FramePacing, AFrameEndsThirtyMillisecondsAfterItsStartAcrossTheCountersWrap) {
  struct Case {
    std::uint32_t start, now, end;
  };
  const Case cases[] = {{1000, 1000, 1030},   {0xFFFFFFF0u, 0xFFFFFFF0u, 14}, {0xFFFFFFF0u, 5, 14},
                        {0xFFFFFFF0u, 20, 20}, {1000, 1029, 1030},            {1000, 1031, 1031}};
  HeadlessPlatform window;
  MainWindow = &window;
  for (const Case& c : cases) {
    window.ticks = c.now;
    WaitForFrameEnd(c.start, 30);
    EXPECT_EQ(window.ticks.load(), c.end) << c.start << " " << c.now;
  }
  MainWindow = nullptr;
}

}  // namespace
