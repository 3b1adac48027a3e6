#include <cstdio>

#include "display/draw.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/turn.h"
#include "game/turns.h"
#include "platform/platform.h"

TurnRecord VersusTurn{0, 0, 0, 0, HandOverVersus};
char VersusMessage[EndMessageSize];

namespace {

// Each player throws at his own rack, so the rack that is empty names the winner. The
// line is written once, here.
void VersusWinCheck() {
  CupRack* emptied = CurrentRack->AllCupsHit() ? CurrentRack
                     : OtherRack->AllCupsHit() ? OtherRack
                                               : nullptr;
  if (!emptied) return;
  std::snprintf(VersusMessage, sizeof VersusMessage, "Winner: %s", emptied->name);
  CurrentRack = emptied;
  PlayState = GameOver;
}

}  // namespace

int VersusFrame() {
  std::uint32_t t0 = MainWindow->TickCount();
  switch (PlayState) {
    case TurnStart: TurnStartState(VersusTurn); break;
    case Ready: ReadyState(VersusTurn, ReadyBanner); break;
    case AimStart: PlayState = Aiming; [[fallthrough]];
    case Aiming: KeyboardAimingState(); break;
    case Launch: LaunchState(Meter.value, Arrow.offset); [[fallthrough]];
    case Flight: FlightState(); break;
    case Landing: LandingState(VersusTurn); [[fallthrough]];
    case Outcome:
      OutcomeState(VersusTurn);
      VersusWinCheck();
      PresentBackBuffer();
      break;
    case GameOver: GameOverState(VersusMessage); break;
    default: break;
  }
  WaitForFrameEnd(t0, FrameMs);
  return 1;
}
