#include "display/display.h"

#include <SDL.h>

#include "audio/music_player.h"
#include "audio/sound_device.h"
#include "audio/sound_effects.h"
#include "display/surface.h"
#include "platform/platform.h"

SDL_Surface* BackBuffer = nullptr;
int DisplayDepth = 0;
ScreenPoint WindowOrigin;

namespace {
SurfacePtr OwnedBackBuffer;
}

bool InitDisplay() {
  DisplayDepth = MainWindow->ScreenDepth();
  OwnedBackBuffer = CreateSurface(BackBufferWidth, BackBufferHeight, DisplayDepth);
  if (!OwnedBackBuffer) {
    MainWindow->MessageBox("Could not create back surface.", "ERROR");
    return false;
  }
  BackBuffer = OwnedBackBuffer.get();
  if (!OpenSoundDevice()) MainWindow->MessageBox("Could not create directsound object.", "ERROR");
  return true;
}

bool ReleaseDisplay() {
  BackBuffer = nullptr;
  OwnedBackBuffer.reset();
  StopMusic();
  ReleaseSoundEffects();
  CloseSoundDevice();
  return true;
}
