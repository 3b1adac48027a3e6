#include "game/splash_animation.h"

#include "display/picture.h"

namespace {
// A run is 31 steps of three frames a picture: pictures 0 to 10, the first and last
// shown twice. The pictures after 10 are loaded but never reached.
constexpr int LastStep = 31;
constexpr int StepsPerPicture = 3;
}  // namespace

bool SplashAnimation::LoadFrame(int index, const char* path, int w, int h, int depth) {
  if (index < 0 || index >= FrameCount) return false;
  width = w;
  height = h;
  static const PictureLoadMessages messages{
      "Could not create surface!", "Could not load bitmap file", "Could not unlock surface!"};
  return LoadPicture(frames[index], bitmap, path, w, h, depth, messages);
}

bool SplashAnimation::PlayStep(SDL_Surface* target, const Cup& cup) {
  // The splash rises out of the cup's mouth.
  x = cup.x - 10;
  y = cup.y - 41;
  if (step >= LastStep) {
    frame = 0;
    step = 0;
    return false;
  }
  step += 1;
  frame = step / StepsPerPicture;
  return BlitKeyed(frames[frame].get(), width, height, target, x, y);
}

void SplashAnimation::ReleaseFrames() {
  for (SurfacePtr& f : frames) f.reset();
}
