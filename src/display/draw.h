#pragma once
#include <cstdint>

struct SDL_Surface;

// Paints the whole back buffer black. At a depth other than 16 or 32 it shows
// "No fill color." and fills nothing; a failed fill shows "Memory fill failed".
bool ClearBackBuffer();
// Hands the finished back buffer to the window. Nobody checks the result.
bool PresentBackBuffer();
// One line of text with its top-left corner at (x, y), glyphs only (no background box).
// colour is red in bits 0-7, green 8-15, blue 16-23. Always true.
bool DrawString(const char* text, int x, int y, std::uint32_t colour, SDL_Surface* target);
