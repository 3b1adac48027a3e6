#pragma once
#include <cstdint>

// Starts SDL subsystems (SDL_INIT_AUDIO, SDL_INIT_GAMECONTROLLER, ...) for whoever needs
// them. SDL never installs signal handlers of its own: Ctrl-C and kill belong to the
// program. True when SDL started them.
bool InitSdlSubSystem(std::uint32_t flags);
