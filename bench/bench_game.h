#pragma once
#include <string>

// The game as the benchmarks drive it: a headless window at one depth, the display made
// and every picture loaded from the run folder, exactly as the start-up does it.

// Makes the display at this depth (16 or 32) unless it is already in use, loading the
// game's and the title screen's pictures. An empty result means ready; otherwise it
// holds what went wrong (a message box the game showed, for one).
std::string UseDepth(int depth);

// A fresh single-player game at its heaviest: the human's full rack of 15 cups, a full
// drinking gauge and a full power meter.
void StartHeavyGame();
