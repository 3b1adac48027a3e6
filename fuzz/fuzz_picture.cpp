// The game's picture loading under fuzzing: the .bmp reader, the form check and the
// pixel conversion, reached through Sprite::Load or the splash animation's LoadFrame.
// The input is the file. The game asks for the size of its own picture of the width and
// height the file claims (the background's when none has them); bytes 6 and 7, which the
// reader skips, pick the depth (bit 0: 16, else 32) and the loader (bit 1: a splash frame).
#include <SDL.h>

#include <cstdint>
#include <string>

#include "base/pictures.h"
#include "display/sprite.h"
#include "fuzz_room.h"
#include "game/splash_animation.h"

namespace {

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

PictureFile Wanted(const std::uint8_t* file, std::size_t size) {
  if (size >= 26)
    for (const PictureFile& p : Pictures)
      if (Le(file + 18, 4) == static_cast<std::uint32_t>(p.width) && Le(file + 22, 4) == static_cast<std::uint32_t>(p.height))
        return p;
  return Pictures[BackgroundPicture];
}

// The form every game picture has: "BM", 24 bits per pixel, exactly the requested size,
// biSizeImage = width x height x 3 (or 0 in an uncompressed file), and that many bytes
// of pixel data at the file's end behind the two headers. A file of this form must
// load, and no other file may.
bool RequiredForm(const std::uint8_t* file, std::size_t size, const PictureFile& want) {
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(want.width * want.height * 3);
  return size >= 54 && file[0] == 'B' && file[1] == 'M' && Le(file + 18, 4) == static_cast<std::uint32_t>(want.width) &&
         Le(file + 22, 4) == static_cast<std::uint32_t>(want.height) && Le(file + 28, 2) == 24 &&
         (Le(file + 34, 4) == pixelBytes || (Le(file + 34, 4) == 0 && Le(file + 30, 4) == 0)) &&
         size - 54 >= pixelBytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* file, std::size_t size) {
  static FuzzRoom room;
  static SplashAnimation splash;
  const PictureFile want = Wanted(file, size);
  const int depth = size > 6 && file[6] & 1 ? 16 : 32;
  const bool splashFrame = size > 6 && file[6] & 2;
  room.Put("bmps\\fuzz.bmp", file, size);
  Sprite sprite;
  const bool loaded = splashFrame ? splash.LoadFrame(0, "bmps\\fuzz.bmp", want.width, want.height, depth)
                                  : sprite.Load("bmps\\fuzz.bmp", want.width, want.height, depth);
  SDL_Surface* surface = splashFrame ? splash.frames[0].get() : sprite.surface.get();
  if ((splashFrame ? splash.bitmap.pixels : sprite.bitmap.pixels) != nullptr)
    Finding("the file's pixel data is still held after the load", room);
  if (loaded != RequiredForm(file, size, want))
    Finding(loaded ? "a file not of the picture form loaded" : "a picture file was refused", room);
  if (!loaded) {
    const std::string wanted = std::string("Tumbra: Fail: It isn't a bitmap!\nTumbra: FAIL: ") +
                               (splashFrame ? "Could not load bitmap file\n" : "Could not load bitmap file!\n");
    if (room.Messages() != wanted) Finding("a refused picture did not give the reader's messages", room);
  } else {
    if (!room.Messages().empty()) Finding("a picture loaded with a message", room);
    if (!surface || surface->w != want.width || surface->h != want.height) Finding("the surface is not of the requested size", room);
    Uint32 key = 1;
    if (SDL_GetColorKey(surface, &key) != 0 || key != 0) Finding("black is not the colour key", room);
  }
  splash.ReleaseFrames();
  return 0;
}
