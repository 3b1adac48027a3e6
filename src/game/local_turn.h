#pragma once

struct TurnRecord;

// The local player's turn in an Internet game: the human's turn, whose throw also goes to
// the server with everything the other machine needs to show it.
extern TurnRecord LocalTurn;
