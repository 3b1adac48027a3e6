#include "game/human_turn.h"

#include "game/game_objects.h"
#include "game/screens.h"
#include "game/turn.h"

TurnRecord HumanTurn{
    .name = "human",
    .readyBanner = &ReadyBanner,
    .enterStarts = true,
    .enterThrows = true,
    .aimStart = nullptr,
    .aiming = KeyboardAimingState,
    .launch = LaunchFromControls,
    .handOver = HandOverSingle,
    .winCheck = SinglePlayerWinCheck,
    .endLine = SinglePlayerEndLine,
};
