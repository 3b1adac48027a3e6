// One frame of each kind of screen, composed and presented by the game's own frame
// handlers. The headless clock only counts the frame's 30 ms wait, so the pacing costs
// nothing here and the time measured is the drawing and the present.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_game.h"
#include "display/draw.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/human_turn.h"
#include "game/screens.h"
#include "game/turn.h"

namespace {

bool Prepared(benchmark::State& state) {
  const std::string problem = UseDepth(static_cast<int>(state.range(0)));
  if (problem.empty()) return true;
  state.SkipWithError(problem.c_str());
  return false;
}

void TitleScreenFrame(benchmark::State& state) {
  if (!Prepared(state)) return;
  for (auto _ : state) TitleFrame();
}

void ReadyFrame(benchmark::State& state) {
  if (!Prepared(state)) return;
  StartHeavyGame();
  for (auto _ : state) RunTurnFrame(HumanTurn);
}

void AimingFrame(benchmark::State& state) {
  if (!Prepared(state)) return;
  StartHeavyGame();
  PlayState = Aiming;
  for (auto _ : state) {
    // Rising into the top: the meter's own step keeps it at its full 150.
    Meter.value = PowerMeter::MaxValue;
    Meter.speed = std::abs(Meter.speed);
    RunTurnFrame(HumanTurn);
  }
}

void FlightFrame(benchmark::State& state) {
  if (!Prepared(state)) return;
  StartHeavyGame();
  for (auto _ : state) {
    // Every landing throws again, so the frames run through whole flights.
    if (PlayState != Flight) PlayState = Launch;
    RunTurnFrame(HumanTurn);
  }
}

void SplashFrame(benchmark::State& state) {
  if (!Prepared(state)) return;
  StartHeavyGame();
  HumanTurn.progress.throwResult = 0;  // the front cup was hit
  PlayState = Outcome;
  for (auto _ : state) {
    // Round and round the splash's pictures, never reaching the end of the run.
    if (Splash.step >= 30) Splash.step = 0;
    RunTurnFrame(HumanTurn);
  }
}

void RerackRedraw(benchmark::State& state) {
  if (!Prepared(state)) return;
  StartHeavyGame();
  for (auto _ : state) CurrentRack->Reconfigure();
}

// The floor under every frame: the back buffer cleared and presented, nothing drawn.
void ClearAndPresent(benchmark::State& state) {
  if (!Prepared(state)) return;
  for (auto _ : state) {
    ClearBackBuffer();
    PresentBackBuffer();
  }
}

void BothDepths(benchmark::internal::Benchmark* b) {
  b->ArgName("bits")->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(TitleScreenFrame)->Apply(BothDepths);
BENCHMARK(ReadyFrame)->Apply(BothDepths);
BENCHMARK(AimingFrame)->Apply(BothDepths);
BENCHMARK(FlightFrame)->Apply(BothDepths);
BENCHMARK(SplashFrame)->Apply(BothDepths);
BENCHMARK(RerackRedraw)->Apply(BothDepths);
BENCHMARK(ClearAndPresent)->Apply(BothDepths);
