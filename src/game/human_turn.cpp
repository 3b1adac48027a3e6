#include "display/draw.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/turn.h"
#include "game/turns.h"
#include "platform/platform.h"

TurnRecord HumanTurn{0, 0, 0, 0, HandOverSingle};
char HumanEndMessage[EndMessageSize];

namespace {

// Only the throw that takes a rack's last cup can end the game, and by then the
// hand-over has made the emptied rack the other one.
void HumanWinCheck() {
  if (CurrentRack->AllCupsHit()) {
    PlayState = GameOver;
  } else if (OtherRack->AllCupsHit()) {
    CurrentRack = OtherRack;
    PlayState = GameOver;
  }
}

}  // namespace

int HumanTurnFrame() {
  std::uint32_t t0 = MainWindow->TickCount();
  switch (PlayState) {
    case TurnStart: TurnStartState(HumanTurn); break;
    case Ready: ReadyState(HumanTurn, ReadyBanner); break;
    case AimStart: PlayState = Aiming; [[fallthrough]];
    case Aiming: KeyboardAimingState(); break;
    case Launch: LaunchState(Meter.value, Arrow.offset); [[fallthrough]];
    case Flight: FlightState(); break;
    case Landing: LandingState(HumanTurn); [[fallthrough]];
    case Outcome:
      OutcomeState(HumanTurn);
      HumanWinCheck();
      PresentBackBuffer();
      break;
    case GameOver: GameOverState(SinglePlayerEndLine(HumanEndMessage, EndMessageSize)); break;
    default: break;
  }
  WaitForFrameEnd(t0, FrameMs);
  return 1;
}
