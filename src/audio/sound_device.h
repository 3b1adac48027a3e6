#pragma once

// The mixer that effects and music play through. Opened once with the display; when it
// cannot be opened the game runs silent.
bool OpenSoundDevice();
// Stops the music and frees the effects' samples before the mixer goes: nothing may
// still play from it.
void CloseSoundDevice();
bool SoundDeviceOpen();
