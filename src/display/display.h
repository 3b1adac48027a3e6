#pragma once
#include <cstdint>

struct SDL_Surface;

constexpr int BackBufferWidth = 760;
constexpr int BackBufferHeight = 560;

// Every frame is composed here, then handed to the window.
extern SDL_Surface* BackBuffer;
// Bits per pixel of the screen, read when the display is set up: 16 or 32 in a working
// game (0 before).
extern int DisplayDepth;

struct ScreenPoint {
  int x = 0, y = 0;
};
// The main window's outer top-left corner, kept current by the window procedure.
extern ScreenPoint WindowOrigin;

// Sets up the back buffer at the main window's depth and opens the sound device.
// False (after its message) when the display cannot be made; a missing sound device is
// reported and otherwise ignored.
bool InitDisplay();
// Releases what exists, the sound device last, once the music has stopped and the
// effects' samples are freed; safe to call twice or without InitDisplay. Always true.
bool ReleaseDisplay();
