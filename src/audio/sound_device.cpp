#include "audio/sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "audio/music_player.h"
#include "audio/sound_effects.h"

namespace {
bool Open = false;
}

bool OpenSoundDevice() {
  if (Open) return true;
  // The game ends on SIGINT and SIGTERM by its own means; SDL's handlers would turn them
  // into a quit event that nothing reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Open = true;
  return true;
}

void CloseSoundDevice() {
  if (!Open) return;
  StopMusic();
  ReleaseSoundEffects();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Open = false;
}

bool SoundDeviceOpen() { return Open; }
