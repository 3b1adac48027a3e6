#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "audio/audio_observer.h"
#include "audio/sound_device.h"
#include "audio/sound_effects.h"
#include "test_support.h"

namespace {

std::string Le16(std::uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(std::uint16_t(v)) + Le16(std::uint16_t(v >> 16)); }

// A chunk as writers lay it down, odd bodies padded; `claimed` lets a test lie about its size.
std::string Chunk(const char* id, const std::string& body, std::int64_t claimed = -1) {
  std::string out = id + Le32(std::uint32_t(claimed < 0 ? body.size() : claimed)) + body;
  return body.size() % 2 ? out + '\0' : out;
}
std::string Format(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint32_t rate = 11025,
                   std::uint16_t bits = 8) {
  std::uint16_t align = std::uint16_t(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
std::string Wave(const std::string& chunks) { return "RIFF" + Le32(std::uint32_t(4 + chunks.size())) + "WAVE" + chunks; }
// A square wave at full swing, easy to find in the output.
std::string Samples(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += char((i / 20) % 2 ? 0xFF : 0x00);
  return out;
}
std::string GoodWave(int samples = 1000) { return Wave(Chunk("fmt ", Format()) + Chunk("data", Samples(samples))); }

class SoundEffects : public HeadlessTest, public AudioObserver {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(OpenSoundDevice());
    InitSoundEffects();
    SoundFxOn = 1;
    AudioTrace = this;
  }
  void TearDown() override {
    AudioTrace = nullptr;
    CloseSoundDevice();
    HeadlessTest::TearDown();
  }
  void EffectPlayed(const char* name) override { effects.push_back(name); }
  void MusicStarted(const std::string&) override {}
  void MusicStopped() override {}

  std::vector<std::string> effects;
};

TEST_F(SoundEffects, BrokenFilesAreRefusedWithoutUsingUpASlot) {
  const std::string data = Chunk("data", Samples(100));
  const std::pair<const char*, std::string> broken[] = {
      {"empty file", ""},
      {"float samples", Wave(Chunk("fmt ", Format(3, 1, 11025, 32)) + data)},
      {"format block of 14 bytes", Wave(Chunk("fmt ", Format().substr(0, 14)) + data)},
      {"no format chunk", Wave(data)},
      {"data longer than the file", Wave(Chunk("fmt ", Format()) + Chunk("data", Samples(100), 1000))},
      {"list running past the end", Wave(Chunk("LIST", "INFO", 0xFFFFFFF0) + Chunk("fmt ", Format()) + data)},
  };
  EXPECT_EQ(LoadWavSound("wavs\\missing.wav", 10), -1);
  for (const auto& [what, bytes] : broken) {
    SCOPED_TRACE(what);
    WriteFile("wavs/bad.wav", bytes);
    EXPECT_EQ(LoadWavSound("wavs\\bad.wav", 10), -1);
    EXPECT_EQ(SoundTable[0].inUse, 0);
  }
  WriteFile("wavs/good.wav", GoodWave());
  EXPECT_EQ(LoadWavSound("wavs\\good.wav", 10), 0);
}

TEST_F(SoundEffects, ChunksAreFoundBehindOthersAndOddSizesArePadded) {
  // Odd chunks before the format block and before the data, a format block with its
  // extra size field, and the oversized RIFF length that streaming writers leave.
  std::string chunks = Chunk("LIST", "INFO!") + Chunk("fmt ", Format(1, 1, 22050) + Le16(0)) +
                       Chunk("fact", "abc") + Chunk("data", Samples(3001));
  WriteFile("wavs/cuphit.wav", "RIFF" + Le32(0xFFFFFFF0) + "WAVE" + chunks);
  ASSERT_EQ(LoadWavSound("wavs\\cuphit.wav", 10), 0);
  EXPECT_EQ(SoundTable[0].dataBytes, 3001);
  EXPECT_EQ(SoundTable[0].sampleRate, 22050);
}

TEST_F(SoundEffects, SamplesPlayAsEightBitMonoAt11025WhateverTheFileSays) {
  // As 16-bit stereo at 44100 Hz these 4410 bytes would last 25 ms; the game plays 0.4 s.
  WriteFile("wavs/rimhit.wav", Wave(Chunk("fmt ", Format(1, 2, 44100, 16)) + Chunk("data", Samples(4410))));
  ASSERT_EQ(LoadWavSound("wavs\\rimhit.wav", 10), 0);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_TRUE(Mix_QuerySpec(&rate, &format, &channels));
  double bytesPerSecond = double(rate) * channels * SDL_AUDIO_BITSIZE(format) / 8;
  EXPECT_NEAR(SoundTable[0].buffer->alen / bytesPerSecond, 0.4, 0.01);
}

TEST_F(SoundEffects, EffectsFollowTheMenuFlagAndNeverDouble) {
  WriteFile("wavs/button.wav", GoodWave(22050));  // two seconds: still sounding when asked again
  WriteFile("wavs/rimhit.wav", GoodWave(22050));
  InitSoundEffects();
  ASSERT_EQ(ButtonSound, 0);
  ASSERT_EQ(CupHitSound, -1);
  ASSERT_EQ(RimHitSound, 1);

  SoundFxOn = 0;
  PlayEffect(ButtonSound);
  EXPECT_EQ(Mix_Playing(-1), 0);
  SoundFxOn = 1;
  PlayEffect(CupHitSound);
  PlayEffect(ButtonSound);
  PlayEffect(RimHitSound);
  PlayEffect(RimHitSound);
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_EQ(effects, (std::vector<std::string>{"button", "rimhit", "rimhit"}));

  static int cutOff;
  cutOff = 0;
  Mix_ChannelFinished([](int) { ++cutOff; });
  PlayEffect(ButtonSound);
  EXPECT_EQ(cutOff, 0) << "a sounding effect was restarted";
  Mix_HaltChannel(-1);
  PlayEffect(ButtonSound);
  EXPECT_EQ(Mix_Playing(-1), 1) << "once over, an effect plays again";
  Mix_ChannelFinished(nullptr);
}

}  // namespace
