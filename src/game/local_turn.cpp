#include "game/local_turn.h"

#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/internet_match.h"
#include "game/screens.h"
#include "game/turn.h"

namespace {

// The throw as it leaves the hand: judged now (nothing moves the cups before it lands),
// its wobble and its rim bounce drawn now, and all of it sent, so that the other
// machine shows the same flight and works out the same outcome.
void LocalLaunch() {
  protocol::Throw& t = Match.current;
  t = {.n = Match.throws++, .power = Meter.value, .aim = Arrow.offset};
  t.flightPower = t.power;
  t.flightAim = t.aim;
  Wobble(CurrentRack->gauge.level, t.flightPower, t.flightAim);
  t.bounce = RandomRimBounce();
  t.result = CurrentRack->HitTest(t.power, t.aim);
  Match.send(t);
  PlayState = Flight;
  TheBall.Throw(t.flightPower, t.flightAim);
}

}  // namespace

TurnRecord LocalTurn{
    .name = "local",
    .readyBanner = &ReadyBanner,
    .enterStarts = true,
    .enterThrows = true,
    .aimStart = nullptr,
    .aiming = KeyboardAimingState,
    .launch = LocalLaunch,
    .handOver = HandOverInternet,
    .winCheck = InternetWinCheck,
    .endLine = InternetEndLine,
    .rimBounce = ThrownRimBounce,
    .heldBy = InternetHeldBy,
};
