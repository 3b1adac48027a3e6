#include "game/installed_turn.h"

#include "game/game_state.h"
#include "game/turn.h"

namespace {

TurnRecord* Installed = nullptr;

int InstalledTurnFrame() { return RunTurnFrame(*Installed); }

}  // namespace

void InstallTurn(TurnRecord& turn) {
  Installed = &turn;
  FrameHandler = InstalledTurnFrame;
}

// The title screen replaces the frame handler without knowing of turns.
const TurnRecord* RunningTurn() { return FrameHandler == InstalledTurnFrame ? Installed : nullptr; }

int InstalledThrowResult() {
  const TurnRecord* turn = RunningTurn();
  return turn ? turn->progress.throwResult : 0;
}

const char* EndOfGameLine() {
  const TurnRecord* turn = RunningTurn();
  return turn && PlayState == GameOver ? turn->endLine() : "";
}
