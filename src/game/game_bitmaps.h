#pragma once
#include "base/pictures.h"

class Sprite;

// Loads one picture of the table into a sprite, places it and keys out black; true when
// the file loaded. Its messages are the loader's own.
bool LoadPlaced(Sprite& sprite, PictureId id);


// Loads every picture of the game screen at start-up. Only the background decides:
// 0 when it cannot be loaded; the others show their own messages and the game goes on.
int LoadGameBitmaps();
// Releases the game screen's pictures at shutdown.
void ReleaseGameImages();
