#include "game/installed_turn.h"

#include "game/computer_turn.h"
#include "game/game_state.h"
#include "game/human_turn.h"
#include "game/turn.h"
#include "game/versus_turn.h"

namespace {

// The record of the turn handler now running; null on the title.
const TurnRecord* InstalledTurn() {
  if (FrameHandler == HumanTurnFrame) return &HumanTurn;
  if (FrameHandler == ComputerTurnFrame) return &ComputerTurn;
  if (FrameHandler == VersusFrame) return &VersusTurn;
  return nullptr;
}

}  // namespace

int InstalledThrowResult() {
  const TurnRecord* turn = InstalledTurn();
  return turn ? turn->throwResult : 0;
}

const char* EndOfGameLine() {
  const TurnRecord* turn = InstalledTurn();
  return turn && PlayState == GameOver ? turn->endLine() : "";
}
