// The game's picture loading under fuzzing: the .bmp reader, the form check and the
// pixel conversion, reached through Sprite::Load or the splash animation's LoadFrame.
// The input is the file. The game asks for the size of its own picture of the width and
// height the file claims (the background's when none has them); bytes 6 and 7, which the
// reader skips, pick the depth (bit 0: 16, else 32) and the loader (bit 1: a splash frame).
#include <SDL.h>

#include "base/pictures.h"
#include "display/sprite.h"
#include "fuzz_room.h"
#include "game/splash_animation.h"

namespace {

// The little-endian number of `bytes` bytes at `at`, or -1 past the file's end.
long long Le(const std::uint8_t* file, std::size_t size, std::size_t at, int bytes) {
  if (at + bytes > size) return -1;
  long long value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | file[at + i];
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* file, std::size_t size) {
  static FuzzRoom room;
  static SplashAnimation splash;
  PictureFile want = Pictures[BackgroundPicture];
  for (const PictureFile& p : Pictures)
    if (Le(file, size, 18, 4) == p.width && Le(file, size, 22, 4) == p.height) want = p;
  const int depth = size > 6 && file[6] & 1 ? 16 : 32;
  const bool splashFrame = size > 6 && file[6] & 2;
  room.Put("bmps\\fuzz.bmp", file, size);
  Sprite sprite;
  const char* path = "bmps\\fuzz.bmp";
  const bool loaded = splashFrame ? splash.LoadFrame(0, path, want.width, want.height, depth)
                                  : sprite.Load(path, want.width, want.height, depth);
  SDL_Surface* surface = splashFrame ? splash.frames[0].get() : sprite.surface.get();
  if ((splashFrame ? splash.bitmap.pixels : sprite.bitmap.pixels) != nullptr)
    room.Finding("the file's pixel data is still held after the load");
  // The form every game picture has: "BM", 24 bits per pixel, exactly the requested
  // size, biSizeImage = width x height x 3 (or 0 in an uncompressed file), and that many
  // bytes of pixel data from where the file says they start, behind the two headers. A
  // file of this form must load, and no other.
  const long long pixelBytes = 3LL * want.width * want.height;
  const bool wellFormed = size >= 54 && file[0] == 'B' && file[1] == 'M' &&
                          Le(file, size, 18, 4) == want.width &&
                          Le(file, size, 22, 4) == want.height && Le(file, size, 28, 2) == 24 &&
                          (Le(file, size, 34, 4) == pixelBytes ||
                           (Le(file, size, 34, 4) == 0 && Le(file, size, 30, 4) == 0)) &&
                          Le(file, size, 10, 4) >= 54 && Le(file, size, 10, 4) + pixelBytes <= static_cast<long long>(size);
  if (loaded != wellFormed)
    room.Finding(loaded ? "a malformed file loaded" : "a picture was refused");
  const std::string refused = std::string("Tumbra: Fail: It isn't a bitmap!\n") +
                              "Tumbra: FAIL: Could not load bitmap file" +
                              (splashFrame ? "\n" : "!\n");
  if (room.Messages() != (loaded ? "" : refused)) room.Finding("the loader's messages are wrong");
  Uint32 key = 1;
  if (loaded && (!surface || surface->w != want.width || surface->h != want.height))
    room.Finding("the surface is not of the requested size");
  if (loaded && (SDL_GetColorKey(surface, &key) != 0 || key != 0))
    room.Finding("black is not the colour key");
  splash.ReleaseFrames();
  return 0;
}
