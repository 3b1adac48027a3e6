#pragma once

// What the turn handler now running keeps, for those who watch a game from outside it:
// the replay driver's state lines and the tests.

// The judgement of the last throw as the running handler keeps it; 0 on the title.
int InstalledThrowResult();
// The end-of-game line the running handler draws while the game is over; empty before.
const char* EndOfGameLine();
