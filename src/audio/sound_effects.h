#pragma once
#include <memory>
#include <string>

struct Mix_Chunk;

struct EffectBufferDeleter {
  void operator()(Mix_Chunk* chunk) const;
};
// One effect's samples, already in the mixer's own format.
using EffectBuffer = std::unique_ptr<Mix_Chunk, EffectBufferDeleter>;

struct SoundSlot {
  EffectBuffer buffer;   // null while the slot holds no playable effect
  int inUse = 0;         // 1 once a load has claimed the slot; a claim is never undone
  int sampleRate = 0;    // what the file says; kept, not used
  int dataBytes = 0;     // size of the file's data chunk
  int index = 0;         // the slot's own place in the table
  std::string name;      // the file's base name, for the replay trace
};

constexpr int SoundSlotCount = 256;
extern SoundSlot SoundTable[SoundSlotCount];

// Slots of the three effects, -1 when an effect could not be loaded.
extern int ButtonSound;
extern int CupHitSound;
extern int RimHitSound;

// "Sound FX On" in the menu; while it is 0 no effect is started.
extern unsigned char SoundFxOn;

// Empties the table and loads "wavs\button.wav", "wavs\cuphit.wav" and "wavs\rimhit.wav"
// into slots, in that order. A missing effect just stays silent. Always true.
bool InitSoundEffects();

// Loads a PCM WAVE file (a game path, relative to the current directory) into the first
// free slot and returns its index, or -1 without a word when it cannot. A file that was
// read but for which no buffer could be made (no sound device) still uses up its slot.
// flags: the buffer kind the callers ask for; the mixer has only one.
int LoadWavSound(const char* file, int flags);

// Starts an effect once from its beginning. Ignored when effects are off, for -1, and
// while the same effect is still sounding: a second bounce off the rim within the first
// one's sound must not stutter it.
void PlayEffect(int slot);

// Frees every effect's samples; the slots stay claimed. Done before the sound device
// closes.
void ReleaseSoundEffects();
