#include "game/computer_turn.h"

#include "base/rand.h"
#include "base/throw_geometry.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/turn.h"
#include "platform/platform.h"

namespace {

// Where the computer aims this throw, and the meter value it stops at.
int AimTarget = 0;
int PowerTarget = 0;

// The point of a cup's picture the computer aims at, near the middle of its mouth.
constexpr int AimPointX = 26;
constexpr int AimPointY = 9;

// The meter only shows 0 to 150 and the computer stops it within 3 of its target, so a
// target beyond -3 or 153 would never be met and the turn would stand still for good.
int WithinMeterReach(int power) {
  if (power < -3) return 0;
  if (power > 153) return 150;
  return power;
}

int PickCup(const CupRack& target) {
  if (target.CupsHit() != 14) {
    int i;
    do {
      i = crt::rand() % 15;
    } while (!target.cups[i].present);
    return i;
  }
  // One cup left: after the re-rack it stands among 4 to 14, and no draw is made for it.
  int last = -1;
  for (int i = 4; i <= 14; ++i)
    if (target.cups[i].present) last = i;
  for (int i = 0; last < 0 && i < 4; ++i)
    if (target.cups[i].present) last = i;
  return last;
}

void ComputerAiming() {
  Meter.Advance();
  bool aimed = false;
  if (AimTarget < Arrow.offset - 5) {
    Arrow.MoveLeft();
  } else if (AimTarget > Arrow.offset + 5) {
    Arrow.MoveRight();
  } else {
    Arrow.offset = AimTarget;
    aimed = true;
  }
  if (aimed && PowerTarget - 4 < Meter.value && Meter.value < PowerTarget + 4) PlayState = Launch;
  DrawAimingScene();
}

}  // namespace

void ChooseComputerShot(const CupRack& target, const CupRack& own, int& aim, int& power) {
  crt::srand(static_cast<unsigned>(MainWindow->WallSeconds()));
  int spread = 18;
  int cupIndex = PickCup(target);
  if (target.CupsHit() == 14) spread = 36;
  // Four more per cup the computer leads by: it grows careless when ahead.
  spread += 4 * (target.CupsHit() - own.CupsHit());
  if (spread < 18) spread = 18;
  const int wide = (3 * spread) / 2;
  const int errX = crt::rand() % wide - wide / 2;
  const int errY = crt::rand() % spread - spread / 2;
  const Cup cup = target.GetCup(cupIndex);
  aim = AimFor(cup.x + AimPointX + errX);
  power = PowerFor(cup.y + AimPointY + errY);
}

namespace {

void ComputerAimStart() {
  ChooseComputerShot(*OpponentRack, *PlayerRack, AimTarget, PowerTarget);
  PowerTarget = WithinMeterReach(PowerTarget);
}

// The computer throws with the values it chose, not the meter's.
void ComputerLaunch() { LaunchState(PowerTarget, AimTarget); }

}  // namespace

// The computer's turn waits on its banner until the player presses Enter, so that he sees
// the throw; from then on it is the computer's hand that stops the meter, not Enter.
TurnRecord ComputerTurn{
    .name = "computer",
    .readyBanner = &CompTurnBanner,
    .enterStarts = true,
    .enterThrows = false,
    .aimStart = ComputerAimStart,
    .aiming = ComputerAiming,
    .launch = ComputerLaunch,
    .handOver = HandOverSingle,
    .winCheck = SinglePlayerWinCheck,
    .endLine = SinglePlayerEndLine,
};
