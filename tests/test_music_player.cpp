#include <SDL_mixer.h>
#include <lame.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

#include "audio/audio_observer.h"
#include "audio/music_player.h"
#include "audio/sound_device.h"
#include "base/settings.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A real MP3 of a tone; short songs make the player change songs often.
std::string Mp3(double seconds) {
  std::vector<short> pcm(static_cast<size_t>(seconds * 44100));
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = short(8000 * std::sin(double(i) * 0.06));
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, 44100);
  lame_set_num_channels(lame, 1);
  lame_set_mode(lame, MONO);
  lame_set_bWriteVbrTag(lame, 0);
  lame_init_params(lame);
  std::vector<unsigned char> out(pcm.size() * 5 / 4 + 7200);
  int n = lame_encode_buffer(lame, pcm.data(), pcm.data(), int(pcm.size()), out.data(), int(out.size()));
  n += lame_encode_flush(lame, out.data() + n, int(out.size()) - n);
  lame_close(lame);
  return std::string(out.begin(), out.begin() + n);
}

size_t ThreadsOfThisProcess() {
  auto tasks = fs::directory_iterator("/proc/self/task");
  return static_cast<size_t>(std::distance(fs::begin(tasks), fs::end(tasks)));
}

class MusicPlayer : public HeadlessTest, public AudioObserver {
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
    MusicFolder[0] = '\0';
    HeadlessTest::TearDown();
  }

  void EffectPlayed(const char*) override {}
  void MusicStarted(const std::string& path) override {
    std::lock_guard<std::mutex> hold(lock);
    songs.push_back(path);
    threads.insert(std::this_thread::get_id());
    changed.notify_all();
  }
  void MusicStopped() override { ++stops; }

  bool WaitForSongs(size_t count) {
    std::unique_lock<std::mutex> hold(lock);
    return changed.wait_for(hold, 5s, [&] { return songs.size() >= count; });
  }
  std::vector<std::string> Songs() {
    std::lock_guard<std::mutex> hold(lock);
    return songs;
  }
  void UseFolder(const fs::path& path) { CopyField(MusicFolder, MusicFolderSize, path.c_str()); }

  std::mutex lock;
  std::condition_variable changed;
  std::vector<std::string> songs;
  std::set<std::thread::id> threads;
  int stops = 0;
};

TEST_F(MusicPlayer, OneSongRepeatsOnOnePlayerThatStopsOnce) {
  const std::string name = std::string(150, 's') + ".mp3";  // names are used whole
  WriteFile("songs/" + name, Mp3(0.1));
  UseFolder(folder / "songs");
  StartMusic();
  StartMusic();
  EXPECT_EQ(MusicIdle, 0);
  ASSERT_TRUE(WaitForSongs(3));
  StopMusic();
  StopMusic();
  EXPECT_EQ(threads.size(), 1u);
  for (const std::string& song : Songs()) EXPECT_EQ(song, folder / "songs" / name);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(MusicIdle, 1);
}

TEST_F(MusicPlayer, WithNothingPlayableThePlayerEndsByItselfInSilence) {
  WriteFile("empty/readme.txt", "no songs here");
  WriteFile("broken/a.mp3", std::string(3000, 'x'));
  WriteFile("broken/b.mp3", "");
  for (const char* name : {"missing", "empty", "broken"}) {
    SCOPED_TRACE(name);
    UseFolder(folder / name);
    size_t before = ThreadsOfThisProcess();
    StartMusic();
    for (int waited = 0; ThreadsOfThisProcess() > before && waited < 5000; waited += 2)
      std::this_thread::sleep_for(2ms);
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "the player thread still runs";
    EXPECT_EQ(MusicIdle, 0);
    StopMusic();
  }
  EXPECT_TRUE(Songs().empty());
  EXPECT_EQ(stops, 3);
}

TEST_F(MusicPlayer, StopIsSafeWhileOneSongGivesWayToTheNext) {
  WriteFile("music/blip.mp3", Mp3(0.05));
  for (int round = 0; round < 25; ++round) {
    SCOPED_TRACE(round);
    size_t before = Songs().size();
    StartMusic();
    ASSERT_TRUE(WaitForSongs(before + 1 + round % 2));
    // Stops at staggered moments; some land on the change of songs.
    std::this_thread::sleep_for(std::chrono::milliseconds(round * 7 % 60));
    StopMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
  }
  EXPECT_EQ(stops, 25);
}

}  // namespace
