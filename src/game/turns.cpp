#include "game/turns.h"

#include "game/game_state.h"
#include "game/turn.h"

int InstalledThrowResult() {
  if (FrameHandler == HumanTurnFrame) return HumanTurn.throwResult;
  if (FrameHandler == ComputerTurnFrame) return ComputerTurn.throwResult;
  if (FrameHandler == VersusFrame) return VersusTurn.throwResult;
  return 0;
}

const char* EndOfGameLine() {
  if (PlayState != GameOver) return "";
  if (FrameHandler == HumanTurnFrame) return SinglePlayerEndLine(HumanEndMessage, EndMessageSize);
  if (FrameHandler == ComputerTurnFrame) return SinglePlayerEndLine(ComputerEndMessage, EndMessageSize);
  if (FrameHandler == VersusFrame) return VersusMessage;
  return "";
}
