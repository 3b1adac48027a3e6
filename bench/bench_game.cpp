#include "bench_game.h"

#include <memory>

#include "display/display.h"
#include "game/game_bitmaps.h"
#include "game/game_objects.h"
#include "game/screens.h"
#include "platform/headless/headless_platform.h"

namespace {
std::unique_ptr<HeadlessPlatform> Window;

void ReleaseAll() {
  ReleaseTitleImages();
  ReleaseGameImages();
  ReleaseDisplay();
}
}  // namespace

std::string UseDepth(int depth) {
  if (Window && DisplayDepth == depth) return "";
  if (Window) ReleaseAll();
  Window = std::make_unique<HeadlessPlatform>(depth);
  MainWindow = Window.get();
  if (!InitDisplay() || !LoadGameBitmaps() || !ShowTitleScreen() || !Window->messageBoxes.empty()) {
    std::string why = "cannot set up the game at " + std::to_string(depth) + " bits";
    for (const HeadlessPlatform::Box& box : Window->messageBoxes) why += "; " + box.caption + ": " + box.text;
    ReleaseAll();
    Window.reset();
    return why;
  }
  return "";
}

void StartHeavyGame() {
  NewSinglePlayerGame();
  CurrentRack->gauge.level = DrinkGauge::MaxLevel;
  Meter.value = PowerMeter::MaxValue;
}
