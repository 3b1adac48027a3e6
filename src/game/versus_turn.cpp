#include "game/versus_turn.h"

#include <cstdio>

#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/turn.h"

namespace {

char VersusMessage[EndMessageSize];

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

const char* VersusEndLine() { return VersusMessage; }

}  // namespace

TurnRecord VersusTurn{0, 0, 0, 0, HandOverVersus, &ReadyBanner, nullptr, KeyboardAimingState,
                      LaunchFromControls, VersusWinCheck, VersusEndLine};

int VersusFrame() { return RunTurnFrame(VersusTurn); }
