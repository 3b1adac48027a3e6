// The music player handed a folder full of files that will not play: the time from
// StartMusic until the player thread has tried every one and given up.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "audio/music_player.h"
#include "audio/sound_device.h"
#include "base/settings.h"
#include "platform/headless/headless_platform.h"

namespace {

namespace fs = std::filesystem;

size_t ThreadsOfThisProcess() {
  fs::directory_iterator tasks("/proc/self/task");
  return static_cast<size_t>(std::distance(fs::begin(tasks), fs::end(tasks)));
}

void GiveUpOnBrokenSongs(benchmark::State& state) {
  HeadlessPlatform window(32);
  Platform* const previousWindow = MainWindow;
  MainWindow = &window;
  const bool deviceWasOpen = SoundDeviceOpen();
  const fs::path folder = fs::temp_directory_path() / ("tumbra_bench_music_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (long i = 0; i < state.range(0); ++i)
    std::ofstream(folder / ("song" + std::to_string(i) + ".mp3")) << "not a song at all";
  CopyField(MusicFolder, MusicFolderSize, folder.c_str());
  if (!OpenSoundDevice()) state.SkipWithError("no sound device, not even the dummy one");
  for (auto _ : state) {
    const size_t before = ThreadsOfThisProcess();
    StartMusic();
    while (ThreadsOfThisProcess() > before) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    state.PauseTiming();
    StopMusic();
    state.ResumeTiming();
  }
  MusicFolder[0] = '\0';
  if (!deviceWasOpen) CloseSoundDevice();
  MainWindow = previousWindow;
  fs::remove_all(folder);
}

}  // namespace

// CPU time of the whole process, which is the player thread's: the benchmark's own
// thread only sleeps while it waits.
BENCHMARK(GiveUpOnBrokenSongs)
    ->ArgName("files")
    ->Arg(3000)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
