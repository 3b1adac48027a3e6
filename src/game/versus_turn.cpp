#include "game/versus_turn.h"

#include <cstdio>

#include "game/game_objects.h"
#include "game/screens.h"
#include "game/turn.h"

namespace {

char VersusMessage[EndMessageSize];

// Each player throws at his own rack, so the rack that is empty names the winner. The
// line is written once, here.
void VersusWinCheck() {
  if (const CupRack* emptied = EndGameOnEmptyRack())
    std::snprintf(VersusMessage, sizeof VersusMessage, "Winner: %s", emptied->name);
}

const char* VersusEndLine() { return VersusMessage; }

}  // namespace

TurnRecord VersusTurn{
    .name = "versus",
    .readyBanner = &ReadyBanner,
    .enterStarts = true,
    .enterThrows = true,
    .aimStart = nullptr,
    .aiming = KeyboardAimingState,
    .launch = LaunchFromControls,
    .handOver = HandOverVersus,
    .winCheck = VersusWinCheck,
    .endLine = VersusEndLine,
};
