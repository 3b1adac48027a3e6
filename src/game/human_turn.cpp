#include "game/human_turn.h"

#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/turn.h"

namespace {

char HumanEndMessage[EndMessageSize];

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

const char* HumanEndLine() { return SinglePlayerEndLine(HumanEndMessage, EndMessageSize); }

}  // namespace

TurnRecord HumanTurn{0, 0, 0, 0, HandOverSingle, &ReadyBanner, nullptr, KeyboardAimingState,
                     LaunchFromControls, HumanWinCheck, HumanEndLine};

int HumanTurnFrame() { return RunTurnFrame(HumanTurn); }
