#pragma once

// The mixer that effects and music play through. Opened once with the display; when it
// cannot be opened the game runs silent.
bool OpenSoundDevice();
// Closes the mixer. Stop the music and free the effects' samples first: nothing may
// still play from it.
void CloseSoundDevice();
bool SoundDeviceOpen();
