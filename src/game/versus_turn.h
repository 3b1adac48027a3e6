#pragma once

struct TurnRecord;

// Either player's turn in a VS game: both throw from the keyboard, each at his own rack.
extern TurnRecord VersusTurn;
