#pragma once

class CupRack;
struct TurnRecord;

// The computer's turn in a single-player game: it picks a cup, slides the arrow to its
// aim and stops the meter near the power it chose.
extern TurnRecord ComputerTurn;

// Picks a standing cup of the target rack and spreads the aim around it: wider when the
// computer leads, and wider still at the last cup. Reseeds the game's generator from the
// clock first. The target rack must hold a standing cup.
void ChooseComputerShot(const CupRack& target, const CupRack& own, int& aim, int& power);
