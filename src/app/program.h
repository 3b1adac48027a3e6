#pragma once

class Platform;

// The exit code of a start that failed. Its message box has said why; the launcher, the
// desktop and scripts learn it from this.
constexpr int StartFailed = 1;

// The program's entry once its window exists: start-up, the main loop and shutdown.
// Returns the exit code: 0 after a normal end, StartFailed after a failed start.
int RunProgram(Platform& window);

// The same in pieces, for a driver that runs the loop a pass at a time.
// StartUp steps in order; each of the first three shows its "ERROR" message and
// returns 0 when it fails.
int StartUp();
// One pass: at most one message, then one frame. False once WM_QUIT was taken: that
// pass draws no frame.
bool MainLoopPass();
// The code the WM_QUIT carried.
int QuitCode();
// Stops the music, releases the game's pictures, then the display and sound device.
void ShutDown();
