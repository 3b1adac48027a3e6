#include "game/remote_turn.h"

#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/internet_match.h"
#include "game/screens.h"
#include "game/turn.h"
#include "platform/platform.h"

namespace {

// The banner stays until his throw has come. It is judged at once, on the cups as they
// stand, which is how they stand when it lands: a judgement other than his means the two
// games are no longer the same game, and this one stops rather than go on apart.
void RemoteReady() {
  if (Match.opponentAway) DrawNotice(OpponentAwayText);
  if (Match.arrived.empty()) return;
  Match.current = Match.arrived.front();
  Match.arrived.pop_front();
  ++Match.throws;
  if (CurrentRack->HitTest(Match.current.power, Match.current.aim) != Match.current.result) {
    Match.outOfStep = true;
    Match.send(protocol::End{.n = Match.throws, .winner = "", .outOfStep = true});
    MainWindow->MessageBox(OutOfStepText, "Tumbra");
    EndInternetGame("");
    return;
  }
  PlayState = AimStart;
}

// The arrow slides to his aim and the meter runs until it passes his power, where it
// stops exactly: the landing is judged on the meter.
void RemoteAiming() {
  const protocol::Throw& t = Match.current;
  Meter.Advance();
  bool aimed = false;
  if (t.aim < Arrow.offset - 5) {
    Arrow.MoveLeft();
  } else if (t.aim > Arrow.offset + 5) {
    Arrow.MoveRight();
  } else {
    Arrow.offset = t.aim;
    aimed = true;
  }
  if (aimed && t.power - 4 < Meter.value && Meter.value < t.power + 4) {
    Meter.value = t.power;
    PlayState = Launch;
  }
  DrawAimingScene();
}

// The ball flies as it flew on his screen, wobble and all.
void RemoteLaunch() {
  PlayState = Flight;
  TheBall.Throw(Match.current.flightPower, Match.current.flightAim);
}

}  // namespace

TurnRecord RemoteTurn{
    .name = "remote",
    .readyBanner = &NetTurnBanner,
    .enterStarts = false,
    .enterThrows = false,
    .aimStart = nullptr,
    .aiming = RemoteAiming,
    .launch = RemoteLaunch,
    .handOver = HandOverInternet,
    .winCheck = InternetWinCheck,
    .endLine = InternetEndLine,
    .ready = RemoteReady,
    .rimBounce = ThrownRimBounce,
    .heldBy = InternetHeldBy,
};
