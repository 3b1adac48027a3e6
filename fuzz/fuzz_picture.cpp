// The game's picture loading under fuzzing: the .bmp reader, the form check and the
// pixel conversion, reached through Sprite::Load or the splash animation's LoadFrame.
// Input: byte 0 picks the depth (bit 0 set: 16, else 32) and the loader (bit 1 set: a
// splash frame); byte 1 picks the requested size from PictureSizes; the rest is the file.
#include <SDL.h>

#include <cstdint>
#include <string>

#include "display/sprite.h"
#include "display/surface.h"
#include "fuzz_room.h"
#include "game/splash_animation.h"
#include "picture_sizes.h"

namespace {

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// The form every game picture has: "BM", 24 bits per pixel, exactly the requested size,
// biSizeImage = width x height x 3 (or 0 in an uncompressed file), and that many bytes
// of pixel data at the file's end behind the two headers. A file of this form must
// load, and no other file may.
bool RequiredForm(const std::uint8_t* file, std::size_t size, PictureSize want) {
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(want.width * want.height * 3);
  return size >= 54 && file[0] == 'B' && file[1] == 'M' &&
         Le(file + 18, 4) == static_cast<std::uint32_t>(want.width) &&
         Le(file + 22, 4) == static_cast<std::uint32_t>(want.height) && Le(file + 28, 2) == 24 &&
         (Le(file + 34, 4) == pixelBytes || (Le(file + 34, 4) == 0 && Le(file + 30, 4) == 0)) &&
         size - 54 >= pixelBytes;
}

// The value the picture's pixel (column c, row r from the top) must have on the surface:
// the file stores the bottom row first, each pixel as blue, green, red.
std::uint32_t ExpectedPixel(const std::uint8_t* file, std::size_t size, PictureSize want, int depth,
                            int c, int r) {
  const std::size_t start = size - static_cast<std::size_t>(want.width * want.height * 3);
  const std::uint8_t* p = file + start + (static_cast<std::size_t>(want.height - 1 - r) * want.width + c) * 3;
  if (depth == 16) return (p[0] >> 3) | (p[1] >> 3) << 6 | (p[2] >> 3) << 11;
  return p[0] | p[1] << 8 | p[2] << 16;
}

FuzzRoom& Room() {
  static FuzzRoom room;
  return room;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int depth = data[0] & 1 ? 16 : 32;
  const bool splashFrame = data[0] & 2;
  const PictureSize want = PictureSizes[data[1] % PictureSizeCount];
  const std::uint8_t* file = data + 2;
  const std::size_t fileSize = size - 2;
  FuzzRoom& room = Room();
  room.Put("bmps\\fuzz.bmp", file, fileSize);

  static SplashAnimation splash;
  Sprite sprite;
  bool loaded;
  SDL_Surface* surface;
  bool pixelsKept;
  if (splashFrame) {
    loaded = splash.LoadFrame(0, "bmps\\fuzz.bmp", want.width, want.height, depth);
    surface = splash.frames[0].get();
    pixelsKept = splash.bitmap.pixels != nullptr;
  } else {
    loaded = sprite.Load("bmps\\fuzz.bmp", want.width, want.height, depth);
    surface = sprite.surface.get();
    pixelsKept = sprite.bitmap.pixels != nullptr;
  }

  const std::string asked = std::to_string(want.width) + "x" + std::to_string(want.height);
  if (pixelsKept) Finding("the file's pixel data is still held after the load", room);
  if (loaded != RequiredForm(file, fileSize, want))
    Finding(std::string(loaded ? "a file not of the picture form loaded" : "a picture file was refused") +
                " at " + asked + ", depth " + std::to_string(depth),
            room);
  if (!loaded) {
    const std::string wanted = std::string("Tumbra: Fail: It isn't a bitmap!\nTumbra: FAIL: ") +
                               (splashFrame ? "Could not load bitmap file\n" : "Could not load bitmap file!\n");
    if (room.Messages() != wanted) Finding("a refused picture did not give the reader's messages", room);
  } else {
    if (!room.Messages().empty()) Finding("a picture loaded with a message", room);
    if (!surface || surface->w != want.width || surface->h != want.height)
      Finding("the surface is not of the requested size " + asked, room);
    Uint32 key = 1;
    if (SDL_GetColorKey(surface, &key) != 0 || key != 0) Finding("black is not the colour key", room);
    const int corners[][2] = {{0, 0}, {want.width - 1, 0}, {0, want.height - 1}, {want.width - 1, want.height - 1}};
    for (const auto& at : corners)
      if (PixelAt(surface, at[0], at[1]) != ExpectedPixel(file, fileSize, want, depth, at[0], at[1]))
        Finding("pixel (" + std::to_string(at[0]) + ", " + std::to_string(at[1]) + ") differs from the file's", room);
  }
  splash.ReleaseFrames();
  return 0;
}
