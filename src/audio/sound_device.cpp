#include "audio/sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl_init.h"

namespace {
bool Open = false;
}

bool OpenSoundDevice() {
  if (Open) return true;
  if (!InitSdlSubSystem(SDL_INIT_AUDIO)) return false;
  // 2048 frames is 46 ms a buffer: an effect still starts within a frame or two of its
  // cause, and the mixing thread wakes half as often as with 1024.
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Open = true;
  return true;
}

void CloseSoundDevice() {
  if (!Open) return;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Open = false;
}

bool SoundDeviceOpen() { return Open; }
