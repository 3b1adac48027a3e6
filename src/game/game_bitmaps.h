#pragma once

// Loads every picture of the game screen at start-up. Only the background decides:
// 0 when it cannot be loaded; the others show their own messages and the game goes on.
int LoadGameBitmaps();
// Releases the game screen's pictures at shutdown.
void ReleaseGameImages();
