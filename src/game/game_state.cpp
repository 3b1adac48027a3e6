#include "game/game_state.h"

FrameFunction FrameHandler = nullptr;
int GameMode = TitleMode;
int PlayState = TurnStart;
