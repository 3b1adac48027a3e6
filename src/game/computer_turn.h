#pragma once

struct TurnRecord;

// The computer's turn in a single-player game: it picks a cup, slides the arrow to its
// aim and stops the meter near the power it chose.
extern TurnRecord ComputerTurn;
int ComputerTurnFrame();
