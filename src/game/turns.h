#pragma once

// The three turn handlers: one frame of a human's throw in a single-player game, of the
// computer's, and of either player's in a VS game.
int HumanTurnFrame();
int ComputerTurnFrame();
int VersusFrame();

// The judgement of the last throw as the installed handler keeps it (0 on the title).
int InstalledThrowResult();
// The end-of-game line the installed handler draws while the game is over.
const char* EndOfGameLine();
