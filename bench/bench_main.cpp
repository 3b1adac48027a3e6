// tumbra_bench: what a frame and the start-up cost, on the headless platform with the
// generated pictures. Usage: tumbra_bench [--benchmark_... options]
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
  // Text is drawn with Qt's painter, which needs an application object but no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QGuiApplication app(argc, argv);
  // The game opens its pictures relative to the current directory.
  std::error_code error;
  std::filesystem::current_path(TUMBRA_RUN_DIR, error);
  if (error) {
    std::fprintf(stderr, "tumbra_bench: cannot enter %s\n", TUMBRA_RUN_DIR);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
