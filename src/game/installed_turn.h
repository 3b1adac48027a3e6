#pragma once

struct TurnRecord;

// The turn the main loop runs: installed by the new games and the hand-overs, read by
// the window procedure's Enter and by whoever watches a game from outside it (the
// replay driver's state lines, the tests).

// From the next pass on, the main loop runs this turn's frames.
void InstallTurn(TurnRecord& turn);
// The turn now running; null on the title screen.
const TurnRecord* RunningTurn();
// The judgement of the last throw as the running turn keeps it; 0 on the title.
int InstalledThrowResult();
// The end-of-game line the running turn draws while the game is over; empty before.
const char* EndOfGameLine();
