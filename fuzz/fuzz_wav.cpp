// The effect loader under fuzzing: LoadWavSound reading a RIFF WAVE file, with the
// mixer open on SDL's silent driver so that a file that reads well goes on to be
// converted into a playable buffer as in the game. Input: the file.
#include <SDL.h>
#include <SDL_mixer.h>

#include "audio/sound_device.h"
#include "audio/sound_effects.h"
#include "fuzz_room.h"

// A file that loads holds at least its RIFF header (12 bytes), a chunk header and a
// 16-byte PCM format block, and the data chunk's header (8 bytes); the data cannot be
// more than what is left.
constexpr std::size_t SmallestWave = 12 + 8 + 16 + 8;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzRoom room;
  static const bool opened = (setenv("SDL_AUDIODRIVER", "dummy", 1), OpenSoundDevice());
  if (!opened) room.Finding(std::string("no sound device: ") + SDL_GetError());
  room.Put("wavs\\fuzz.wav", data, size);
  // A fresh table for every input: the game's three effects are not there, so the file
  // under test gets the first slot when it loads.
  InitSoundEffects();
  const int slot = LoadWavSound("wavs\\fuzz.wav", 10);
  if (!room.window.messageBoxes.empty()) room.Finding("an effect load showed a message");
  if (slot != -1 && slot != 0) room.Finding("the effect went to slot " + std::to_string(slot));
  const SoundSlot& loaded = SoundTable[0];
  if (slot == 0 && (!loaded.inUse || !loaded.buffer || loaded.buffer->alen == 0))
    room.Finding("a loaded effect has no buffer");
  if (slot == 0 && (size < SmallestWave || loaded.dataBytes + SmallestWave > size))
    room.Finding("the effect holds " + std::to_string(loaded.dataBytes) + " bytes of " +
                 std::to_string(size));
  ReleaseSoundEffects();
  return 0;
}
