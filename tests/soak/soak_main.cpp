// tumbra_soak: plays many whole games through tumbra-replay, several at a time, and
// checks the game's rules after every pass (see soak_game.h).
// Usage: tumbra_soak REPLAY_PROGRAM RUN_FOLDER [GAMES [JOBS [SEED]]]
// RUN_FOLDER holds the generated bmps/ and wavs/. A failed game keeps its folder, with
// the script that plays it again.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "soak_game.h"

namespace fs = std::filesystem;

namespace {

fs::path GameFolder(const fs::path& work, const fs::path& data, int game) {
  const fs::path folder = work / ("game-" + std::to_string(game));
  fs::create_directories(folder / "music");  // empty: the music thread finds nothing
  fs::create_directory_symlink(fs::absolute(data / "bmps"), folder / "bmps");
  fs::create_directory_symlink(fs::absolute(data / "wavs"), folder / "wavs");
  std::ofstream(folder / "config.ini") << "username=\npassword=\nmusic=\nserver=\n";
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tumbra_soak REPLAY_PROGRAM RUN_FOLDER [GAMES [JOBS [SEED]]]\n");
    return 2;
  }
  const std::string replay = fs::absolute(argv[1]).string();
  const fs::path data = argv[2];
  const int games = argc > 3 ? std::atoi(argv[3]) : 200;
  const int jobs = argc > 4 ? std::atoi(argv[4]) : 2;
  const std::uint64_t seed = argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1;
  // A replay that dies must show up as a failed game, not end the soak.
  signal(SIGPIPE, SIG_IGN);

  const fs::path work = fs::temp_directory_path() / ("tumbra-soak-" + std::to_string(getpid()));
  fs::remove_all(work);
  const auto began = std::chrono::steady_clock::now();
  std::vector<SoakResult> results(static_cast<size_t>(games));
  std::atomic<int> next{0};
  std::vector<std::thread> workers;
  for (int j = 0; j < jobs; ++j)
    workers.emplace_back([&] {
      for (int game; (game = next++) < games;) {
        const fs::path folder = GameFolder(work, data, game);
        SoakResult& result = results[static_cast<size_t>(game)];
        result = PlaySoakGame(replay, folder.string(), seed * 1000003 + static_cast<std::uint64_t>(game));
        if (result.failure.empty()) fs::remove_all(folder);
      }
    });
  for (std::thread& worker : workers) worker.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

  long long passes = 0;
  int failed = 0, single = 0, versus = 0, longest = 0, longestGame = -1;
  for (int game = 0; game < games; ++game) {
    const SoakResult& r = results[static_cast<size_t>(game)];
    passes += r.passes;
    single += r.mode == 1;
    versus += r.mode == 2;
    if (r.gameFrames > longest) longest = r.gameFrames, longestGame = game;
    if (!r.failure.empty()) {
      ++failed;
      std::printf("game %d FAILED: %s\n  in %s: game.replay plays it again, replay.err has the "
                  "program's error output\n",
                  game, r.failure.c_str(), (work / ("game-" + std::to_string(game))).c_str());
    }
  }
  std::printf("soak: %d games (%d single player, %d VS), %lld passes, longest game %d frames (game %d, "
              "bound %d), %d failed, %.0f s\n",
              games, single, versus, passes, longest, longestGame, GameFrameBound, failed,
              seconds);
  if (failed == 0) fs::remove_all(work);
  return failed == 0 ? 0 : 1;
}
