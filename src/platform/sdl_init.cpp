#include "platform/sdl_init.h"

#include <SDL.h>

bool InitSdlSubSystem(std::uint32_t flags) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return SDL_InitSubSystem(flags) == 0;
}
