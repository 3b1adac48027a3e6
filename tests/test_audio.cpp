// Sound effects from .wav files, and the music player's thread.
#include <SDL_mixer.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "audio/audio_observer.h"
#include "audio/music_player.h"
#include "audio/sound_device.h"
#include "audio/sound_effects.h"
#include "base/settings.h"
#include "test_support.h"

using namespace std::chrono_literals;

// A chunk as writers lay it down, odd bodies padded; `claimed` lets a test lie about its size.
static std::string Chunk(const char* id, const std::string& body, std::int64_t claimed = -1) {
  return id + Le32(claimed < 0 ? body.size() : claimed) + body + std::string(body.size() % 2, '\0');
}
static std::string Format(int tag = 1, int channels = 1, std::uint32_t rate = 11025, int bits = 8) {
  const int align = channels * bits / 8;
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
static std::string Wave(const std::string& chunks) { return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks; }

// The first frames of the generated tune: a short song makes the player change songs often.
static std::string Song(size_t bytes) {
  return ReadAll(fs::directory_iterator(RunFolder() / "music")->path()).substr(0, bytes);
}

static size_t ThreadsOfThisProcess() {
  return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

class Audio : public HeadlessTest, public AudioObserver {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(OpenSoundDevice());
    MusicFolder[0] = '\0';
    AudioTrace = this;
  }
  void TearDown() override {
    StopMusic();
    AudioTrace = nullptr;
    CloseSoundDevice();
    HeadlessTest::TearDown();
  }
  void EffectPlayed(const char*) override {}
  void MusicStarted(const std::string& path) override {
    std::lock_guard<std::mutex> hold(lock);
    songs.push_back(path);
    started.push_back(std::chrono::steady_clock::now());
    changed.notify_all();
  }
  void MusicStopped() override { ++stops; }
  // The songs started so far, once there are `count` of them (5 s at most).
  Strings Songs(size_t count = 0) {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait_for(hold, 5s, [&] { return songs.size() >= count; });
    return songs;
  }

  std::mutex lock;
  std::condition_variable changed;
  Strings songs;
  std::vector<std::chrono::steady_clock::time_point> started;
  int stops = 0;
};
using SoundEffects = Audio;
using MusicPlayer = Audio;

TEST_F(SoundEffects, BrokenFilesAreRefusedWithoutUsingUpASlotAndChunksAreFoundBehindOthers) {
  const std::string data = Chunk("data", std::string(100, 'x'));
  const std::pair<const char*, std::string> broken[] = {
      {"empty file", ""},
      {"float samples", Wave(Chunk("fmt ", Format(3, 1, 11025, 32)) + data)},
      {"format block of 14 bytes", Wave(Chunk("fmt ", Format().substr(0, 14)) + data)},
      {"no format chunk", Wave(data)},
      {"data longer than the file", Wave(Chunk("fmt ", Format()) + Chunk("data", std::string(100, 'x'), 1000))},
      {"list running past the end", Wave(Chunk("LIST", "INFO", 0xFFFFFFF0) + Chunk("fmt ", Format()) + data)},
  };
  EXPECT_EQ(LoadWavSound("wavs\\missing.wav", 10), -1);
  for (const auto& [what, bytes] : broken) {
    WriteFile("wavs/bad.wav", bytes);
    EXPECT_EQ(LoadWavSound("wavs\\bad.wav", 10), -1) << what;
    EXPECT_EQ(SoundTable[0].inUse, 0) << what;
  }
  // Odd chunks before the format block and before the data, a format block with its
  // extra size field, and the oversized RIFF length that streaming writers leave.
  WriteFile("wavs/cuphit.wav", "RIFF" + Le32(0xFFFFFFF0) + "WAVE" + Chunk("LIST", "INFO!") +
                                   Chunk("fmt ", Format(1, 1, 22050) + Le16(0)) + Chunk("fact", "abc") +
                                   Chunk("data", std::string(3001, 'x')));
  ASSERT_EQ(LoadWavSound("wavs\\cuphit.wav", 10), 0);
  EXPECT_EQ(SoundTable[0].dataBytes, 3001);
  EXPECT_EQ(SoundTable[0].sampleRate, 22050);
}

// An effect asked for again while it sounds is not started a second time; another
// effect sounds beside it, and once it has ended it plays again.
TEST_F(SoundEffects, AnEffectStillSoundingIsNotDoubledButOthersSoundBesideIt) {
  const std::string twoSeconds = Wave(Chunk("fmt ", Format()) + Chunk("data", std::string(22050, '\x80')));
  for (const char* name : {"wavs/cuphit.wav", "wavs/rimhit.wav"}) WriteFile(name, twoSeconds);
  const int cup = LoadWavSound("wavs\\cuphit.wav", 10), rim = LoadWavSound("wavs\\rimhit.wav", 10);
  PlayEffect(cup);
  PlayEffect(cup);
  EXPECT_EQ(Mix_Playing(-1), 1);
  PlayEffect(rim);
  EXPECT_EQ(Mix_Playing(-1), 2);
  Mix_HaltChannel(-1);
  PlayEffect(cup);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

// Each start picks its first song afresh from the clock, whatever the case of the songs'
// names; each song plays to its end (a quarter of a second here) before the next.
TEST_F(MusicPlayer, EachStartPicksAfreshAndEverySongPlaysToItsEnd) {
  for (const char* name : {"a.mp3", "B.MP3", "c.Mp3"}) WriteFile(std::string("music/") + name, Song(2000));
  std::set<std::string> first;
  for (platform.timeBase = 0; platform.timeBase < 8; ++platform.timeBase) {
    const size_t before = Songs().size();
    StartMusic();
    first.insert(fs::path(Songs(before + 1).at(before)).filename());
    StopMusic();
  }
  EXPECT_EQ(first, (std::set<std::string>{"a.mp3", "B.MP3", "c.Mp3"}));
  const size_t before = Songs().size();
  StartMusic();
  ASSERT_GE(Songs(before + 6).size(), before + 6);
  StopMusic();
  for (size_t i = before + 1; i < before + 6; ++i) EXPECT_GT(started[i] - started[i - 1], 150ms) << i;
}

TEST_F(MusicPlayer, OneSongRepeatsOnOnePlayerThatStopsOnce) {
  const std::string name = std::string(150, 's') + ".mp3";  // names are used whole
  WriteFile("songs/" + name, Song(2000));
  CopyField(MusicFolder, MusicFolderSize, (folder / "songs").c_str());
  const size_t before = ThreadsOfThisProcess();
  StartMusic();
  StartMusic();
  EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
  EXPECT_EQ(MusicIdle, 0);
  ASSERT_GE(Songs(3).size(), 3u);
  StopMusic();
  StopMusic();
  EXPECT_EQ(Songs(), Strings(songs.size(), folder / "songs" / name));
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(MusicIdle, 1);
}

TEST_F(MusicPlayer, WithNothingPlayableThePlayerEndsByItselfInSilence) {
  WriteFile("empty/readme.txt", "no songs here");
  WriteFile("broken/a.mp3", std::string(3000, 'x'));
  WriteFile("broken/b.mp3", "");
  for (const char* name : {"missing", "empty", "broken"}) {
    CopyField(MusicFolder, MusicFolderSize, (folder / name).c_str());
    const size_t before = ThreadsOfThisProcess();
    StartMusic();
    for (int waited = 0; ThreadsOfThisProcess() > before && waited < 5000; waited += 2)
      std::this_thread::sleep_for(2ms);
    EXPECT_EQ(ThreadsOfThisProcess(), before) << name << ": the player thread still runs";
    EXPECT_EQ(MusicIdle, 0) << name;
    StopMusic();
  }
  EXPECT_TRUE(Songs().empty());
  EXPECT_EQ(stops, 3);
}

// Stops at staggered moments; some land on the change of songs.
TEST_F(MusicPlayer, StopIsSafeWhileOneSongGivesWayToTheNext) {
  WriteFile("music/blip.mp3", Song(1200));
  for (int round = 0; round < 25; ++round) {
    const size_t before = Songs().size();
    StartMusic();
    ASSERT_GE(Songs(before + 1 + round % 2).size(), before + 1 + round % 2) << round;
    std::this_thread::sleep_for(std::chrono::milliseconds(round * 7 % 60));
    StopMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0) << round;
  }
  EXPECT_EQ(stops, 25);
}
