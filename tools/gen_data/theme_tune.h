#pragma once
#include "synth.h"

// The game's own tune: a shuffle blues in A for the back room, about 52 seconds, at
// the music rate of instruments.h.
Signal ThemeTune();
