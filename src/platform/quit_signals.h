#pragma once
#include <cstdint>

// SIGINT, SIGTERM and SIGHUP (Ctrl-C, kill, logging out) end the game the way closing
// its window does. A signal may come in the middle of anything, so its handler only
// writes a byte to a pipe; the main thread reads the pipe where it takes its messages
// and turns what it finds into WM_DESTROY. Shared by both platforms, and by the replay
// driver while it waits for a line.

// Makes the pipe and installs the three handlers; false when the pipe cannot be made
// (the signals then keep their default action). Once per process; later calls only
// report whether the first one worked.
bool InstallQuitSignals();
// The pipe's read end, for a window system that watches it; -1 before installing.
int QuitSignalFd();
// True when a signal came since the last call; empties the pipe.
bool TakeQuitSignal();
// Sleeps ms milliseconds, or less when a signal is waiting to be taken: the game must
// not stay deaf for the length of a long pause.
void SleepUnlessQuitSignal(std::uint32_t ms);
