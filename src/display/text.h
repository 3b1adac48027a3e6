#pragma once
#include <cstdint>

struct SDL_Surface;

// Draws text straight onto the surface's pixels with the game's one font. Nothing is
// drawn when no GUI application object exists (there is no font system then).
void DrawText(SDL_Surface* target, const char* text, int x, int y, std::uint32_t colour);

// The one font of the game's text: a plain sans face small enough that the title
// screen's lines, 13 pixels apart, never touch.
constexpr const char* TextFontFamily = "DejaVu Sans";
constexpr int TextPixelSize = 11;
