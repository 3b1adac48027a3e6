#pragma once

class CupRack;

// Where the computer aims this throw, and the meter value it stops at.
extern int AimTarget;
extern int PowerTarget;

// Picks a standing cup of the target rack and spreads the aim around it: wider when the
// computer leads, and wider still at the last cup. Reseeds the game's generator from the
// clock first. The target rack must hold a standing cup.
void ChooseComputerShot(const CupRack& target, const CupRack& own, int& aim, int& power);
