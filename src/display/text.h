#pragma once
#include <cstdint>

struct SDL_Surface;
class QFont;

// Draws text straight onto the surface's pixels with the game's one font. Nothing is
// drawn when no GUI application object exists (there is no font system then).
void DrawText(SDL_Surface* target, const char* text, int x, int y, std::uint32_t colour);

// The one font of the game's text.
const QFont& TextFont();
