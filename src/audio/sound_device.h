#pragma once

// The mixer that effects and music play through. Opened once with the display; when it
// cannot be opened the game runs silent.
bool OpenSoundDevice();
void CloseSoundDevice();
bool SoundDeviceOpen();
