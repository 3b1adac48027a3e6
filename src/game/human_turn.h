#pragma once

struct TurnRecord;

// The player's turn in a single-player game: the arrow keys aim, Enter starts and stops
// the meter.
extern TurnRecord HumanTurn;
