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
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
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
