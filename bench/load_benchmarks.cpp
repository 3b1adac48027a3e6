// The start-up's picture loading: every file read, converted and keyed, as the program
// does it before its first frame.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "game/game_bitmaps.h"
#include "game/screens.h"
#include "platform/headless/headless_platform.h"

namespace {

void LoadAllPictures(benchmark::State& state) {
  const std::string problem = UseDepth(static_cast<int>(state.range(0)));
  if (!problem.empty()) {
    state.SkipWithError(problem.c_str());
    return;
  }
  auto& window = static_cast<HeadlessPlatform&>(*MainWindow);
  for (auto _ : state) {
    LoadGameBitmaps();
    ShowTitleScreen();
  }
  if (!window.messageBoxes.empty()) state.SkipWithError(window.messageBoxes.front().text.c_str());
}

}  // namespace

BENCHMARK(LoadAllPictures)->ArgName("bits")->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);
