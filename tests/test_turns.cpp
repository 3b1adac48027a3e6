// Throws inside whole turns of the running game, the computer's choice of shot and the
// frame's pacing.
#include <algorithm>
#include <cstdlib>
#include <set>
#include <tuple>

#include "app/program.h"
#include "base/rand.h"
#include "base/settings.h"
#include "base/throw_geometry.h"
#include "game/computer_turn.h"
#include "game/game_objects.h"
#include "game/screens.h"
#include "game/installed_turn.h"
#include "game/internet_match.h"
#include "test_support.h"

// The game started on the generated data, a single-player game begun.
class Turns : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    for (const char* data : {"bmps", "wavs"}) fs::create_directory_symlink(RunFolder() / data, folder / data);
    WriteFile("config.ini", DefaultConfigText);
    ASSERT_TRUE(StartUp());
    platform.PostMessage(WM_COMMAND, SinglePlayerButton);
    ASSERT_TRUE(MainLoopPass());
  }
  void TearDown() override {
    ShutDown();
    HeadlessTest::TearDown();
  }
  // Passes until the state is reached, 500 at most.
  bool RunUntil(int state) {
    for (int i = 0; i < 500 && PlayState != state; ++i) MainLoopPass();
    return PlayState == state;
  }
  // The human's throw, aimed to come down at (x, y) on the table.
  void ThrowAt(int x, int y) {
    ASSERT_TRUE(RunUntil(Ready));
    platform.PostMessage(WM_CHAR, EnterChar);
    ASSERT_TRUE(RunUntil(Aiming));
    Arrow.offset = AimFor(x);
    Meter.value = PowerFor(y);
    platform.PostMessage(WM_CHAR, EnterChar);
  }
};

// The drink moves the ball's flight, never the judgement: a throw at the near edge of the
// front cup's mouth, pulled 6 pixels short by the drink, still drops in.
TEST_F(Turns, AHumanThrowIsJudgedWhereItWasAimedNotWhereTheDrinkSentIt) {
  RedRack->gauge.level = 100;
  const Cup cup = RedRack->GetCup(0);
  ThrowAt(cup.x + 30, cup.y + 14);
  unsigned seed = 0;  // one after which the generator's next value is 0 mod 12: the fullest pull
  for (crt::srand(seed); crt::rand() % 12 != 0;) crt::srand(++seed);
  crt::srand(seed);
  MainLoopPass();
  EXPECT_EQ(TheBall.targetY, cup.y + 20);
  ASSERT_TRUE(RunUntil(Outcome));
  EXPECT_EQ(InstalledThrowResult(), 0);
  ASSERT_TRUE(RunUntil(Ready));
  EXPECT_EQ(RedRack->CupsHit(), 1);
}

// Far ahead at the last cup the computer may choose a power the meter never comes near;
// it then throws at the meter's end instead of aiming for good.
TEST_F(Turns, AComputerShotBeyondTheMetersReachIsThrownAtTheMetersEnd) {
  for (int i = 0; i < CupCount; ++i) BlueRack->cups[i].present = i == 13;
  BlueRack->cupsHit = 14;
  std::int64_t second = 0;
  for (int aim = 0, power = 0; power <= 153; ++second) {
    platform.ticks = 0;
    platform.timeBase = second;
    ChooseComputerShot(*BlueRack, *RedRack, aim, power);
  }
  ThrowAt(LandingX(0), LandingY(0));  // the human misses short
  ASSERT_TRUE(RunUntil(Ready));
  platform.ticks = 0;
  platform.timeBase = second - 1;
  platform.PostMessage(WM_CHAR, EnterChar);
  ASSERT_TRUE(RunUntil(Flight));
  EXPECT_EQ(TheBall.targetY, LandingY(150));
}

// An opponent's throw that this side judges otherwise than his own machine did ends the
// game on both: the player is told, the server hears it went out of step, nobody wins.
TEST_F(Turns, AnOpponentsThrowJudgedOtherwiseEndsTheInternetGameOutOfStep) {
  std::vector<protocol::ClientMessage> sent;
  struct Forget {
    ~Forget() { Match = {}; }
  } forget;
  Match.local = "me";
  Match.opponent = "him";
  Match.localFirst = false;
  Match.send = [&](const protocol::ClientMessage& m) { sent.push_back(m); };
  NewInternetGame();
  const Cup cup = RedRack->GetCup(0);
  const int aim = AimFor(cup.x + 30), power = PowerFor(cup.y + 14);
  Match.arrived.push_back({.power = power, .aim = aim, .flightPower = power, .flightAim = aim, .result = -1});
  ASSERT_TRUE(RunUntil(GameOver));
  EXPECT_EQ(Messages(), Strings{"Tumbra: The game got out of step with your opponent's."});
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(std::get<protocol::End>(sent[0]).outOfStep);
  EXPECT_EQ(RedRack->CupsHit(), 0);
}

// Where the computer's ball comes down over 300 seconds of the clock, measured from the
// middle of the mouth of the nearest standing cup: it picks every standing cup and no
// other, misses along the table from `most` - 1 pixels short to `most` long (wider when
// it is ahead and at a last cup) and across by never more than half as much again.
using ComputerShot = HeadlessTest;
TEST_F(ComputerShot, ItAimsAtAStandingCupAndMissesWiderWhenAheadAndAtTheLastCup) {
  const std::tuple<const char*, std::set<int>, int, int> cases[] = {
      {"level", {2, 12}, 13, 9}, {"behind by two", {2, 12}, 15, 9}, {"ahead by ten", {2, 12}, 3, 29},
      {"at the last cup", {13}, 14, 18}, {"at a last cup before the re-rack", {1}, 14, 18}};
  for (const auto& [what, standing, ownHit, most] : cases) {
    CupRack target, own;
    LayOut(target);
    for (int i = 0; i < CupCount; ++i) target.cups[i].present = standing.count(i);
    target.cupsHit = CupCount - static_cast<int>(standing.size());
    own.cupsHit = ownHit;
    std::set<int> picked;
    int shortest = 0, longest = 0;
    for (platform.timeBase = 0; platform.timeBase < 300; ++platform.timeBase) {
      int aim, power, nearest = -1, dx = 1000, dy = 1000;
      ChooseComputerShot(target, own, aim, power);
      for (int i : standing) {
        const Cup cup = target.GetCup(i);
        const int x = LandingX(aim) - (cup.x + 30), y = LandingY(power) - (cup.y + 8);
        if (std::abs(x) + std::abs(y) < std::abs(dx) + std::abs(dy)) nearest = i, dx = x, dy = y;
      }
      picked.insert(nearest);
      shortest = std::min(shortest, dy), longest = std::max(longest, dy);
      EXPECT_LE(std::abs(dx), 3 * most / 2 + 5) << what;
    }
    EXPECT_EQ(picked, standing) << what;
    EXPECT_EQ(shortest, 1 - most) << what;
    EXPECT_EQ(longest, most) << what;
  }
}

// A frame lasts 30 ms from its start, also when the millisecond counter wraps inside it.
using FramePacing = HeadlessTest;
TEST_F(FramePacing, AFrameEndsThirtyMillisecondsAfterItsStartAcrossTheCountersWrap) {
  const std::uint32_t cases[][3] = {{1000, 1000, 1030}, {0xFFFFFFF0u, 0xFFFFFFF0u, 14}, {0xFFFFFFF0u, 5, 14},
                                    {0xFFFFFFF0u, 20, 20}, {1000, 1029, 1030}, {1000, 1031, 1031}};
  for (const auto& [start, now, end] : cases) {
    platform.ticks = now;
    WaitForFrameEnd(start, 30);
    EXPECT_EQ(platform.ticks.load(), end) << start << " " << now;
  }
}
