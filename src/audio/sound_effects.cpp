#include "audio/sound_effects.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

#include "audio/audio_observer.h"
#include "audio/sound_device.h"
#include "audio/wav_file.h"
#include "base/paths.h"

SoundSlot SoundTable[SoundSlotCount];
int ButtonSound = -1;
int CupHitSound = -1;
int RimHitSound = -1;
unsigned char SoundFxOn = 1;

void EffectBufferDeleter::operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }

namespace {

// Every effect is played as 8-bit unsigned mono at 11025 Hz, whatever its file claims:
// the sounds were recorded that way, and a file of another layout just plays at the
// wrong pitch rather than being refused.
constexpr SDL_AudioFormat EffectSampleFormat = AUDIO_U8;
constexpr int EffectChannels = 1;
constexpr int EffectRate = 11025;

EffectBuffer MakeEffectBuffer(const std::vector<std::uint8_t>& samples) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!SoundDeviceOpen() || !Mix_QuerySpec(&rate, &format, &channels) || samples.empty())
    return nullptr;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, EffectSampleFormat, EffectChannels, EffectRate, format,
                        static_cast<Uint8>(channels), rate) < 0)
    return nullptr;
  if (samples.size() > static_cast<size_t>(INT_MAX / cvt.len_mult)) return nullptr;
  cvt.len = static_cast<int>(samples.size());
  cvt.buf = static_cast<Uint8*>(SDL_malloc(samples.size() * static_cast<size_t>(cvt.len_mult)));
  if (!cvt.buf) return nullptr;
  std::memcpy(cvt.buf, samples.data(), samples.size());
  auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
  if (SDL_ConvertAudio(&cvt) != 0 || !chunk) {
    SDL_free(cvt.buf);
    SDL_free(chunk);
    return nullptr;
  }
  // allocated = 1: Mix_FreeChunk frees the samples with the chunk.
  *chunk = Mix_Chunk{1, cvt.buf, static_cast<Uint32>(cvt.len_cvt), MIX_MAX_VOLUME};
  return EffectBuffer(chunk);
}

bool EffectSounding(const Mix_Chunk* chunk) {
  int channels = Mix_AllocateChannels(-1);
  for (int channel = 0; channel < channels; ++channel)
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) return true;
  return false;
}

}  // namespace

bool InitSoundEffects() {
  for (int i = 0; i < SoundSlotCount; ++i) {
    SoundTable[i] = SoundSlot{};
    SoundTable[i].index = i;
  }
  ButtonSound = LoadWavSound("wavs\\button.wav", 10);
  CupHitSound = LoadWavSound("wavs\\cuphit.wav", 10);
  RimHitSound = LoadWavSound("wavs\\rimhit.wav", 10);
  return true;
}

int LoadWavSound(const char* file, int /*flags*/) {
  SoundSlot* slot = nullptr;
  for (SoundSlot& s : SoundTable)
    if (!s.inUse) {
      slot = &s;
      break;
    }
  if (!slot) return -1;

  std::string path = NativePath(file);
  WavContents wav;
  if (!ReadWavFile(path, wav)) return -1;

  slot->inUse = 1;
  slot->sampleRate = wav.sampleRate;
  slot->dataBytes = static_cast<int>(wav.data.size());
  slot->name = std::filesystem::path(path).stem().string();
  slot->buffer = MakeEffectBuffer(wav.data);
  return slot->buffer ? static_cast<int>(slot - SoundTable) : -1;
}

void PlayEffect(int slot) {
  if (!SoundFxOn || slot < 0 || slot >= SoundSlotCount) return;
  const SoundSlot& effect = SoundTable[slot];
  if (!effect.buffer) return;
  if (AudioTrace) AudioTrace->EffectPlayed(effect.name.c_str());
  if (!EffectSounding(effect.buffer.get())) Mix_PlayChannel(-1, effect.buffer.get(), 0);
}

void ReleaseSoundEffects() {
  for (SoundSlot& slot : SoundTable) slot.buffer.reset();
}
