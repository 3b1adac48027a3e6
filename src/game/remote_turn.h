#pragma once

struct TurnRecord;

// The opponent's turn in an Internet game: his throw, as it came over the line, shown as
// the computer's are, with his own values.
extern TurnRecord RemoteTurn;
