#pragma once
#include "base/pictures.h"
#include "display/bitmap_file.h"
#include "display/surface.h"
#include "game/cup_rack.h"

struct SDL_Surface;

// The splash played over a cup when a ball drops into it, one step per frame.
class SplashAnimation {
 public:
  static constexpr int FrameCount = SplashFrameCount;

  // A frame picture into frames[index]: "Could not create surface!", "Could not load
  // bitmap file", "Could not unlock surface!".
  bool LoadFrame(int index, const char* path, int width, int height, int depth);
  // Draws the next frame over the cup; false once the run is over, and the call after
  // that starts a new run.
  bool PlayStep(SDL_Surface* target, const Cup& cup);
  void ReleaseFrames();

  int x = 0;
  int y = 0;
  SurfacePtr frames[FrameCount];
  int frame = 0;  // drawn by the last step
  int step = 0;   // steps played in this run, 0 to 31
  int width = 0;
  int height = 0;
  BitmapFile bitmap;
};
