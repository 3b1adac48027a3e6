// tumbra_soak: whole games played in this process on the headless platform by a seeded
// random player (Enter at random moments, arrow taps and holds, two Enters at once, now
// and then a new game, the Options dialog, a menu toggle or an information dialog), with
// the game's rules checked after every pass.
// Usage: tumbra_soak RUN_FOLDER [GAMES [SEED]]; TUMBRA_SOAK_GAMES, when set, overrides GAMES.
#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "base/settings.h"
#include "base/throw_geometry.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "game/computer_turn.h"
#include "game/human_turn.h"
#include "game/installed_turn.h"
#include "game/versus_turn.h"
#include "platform/headless.h"
#include "resources/menu.h"

namespace fs = std::filesystem;

namespace {

// The most frames a game may take from its new game to the game-over screen. A throw
// takes at most 11 frames of waiting after a re-rack, 5 in the ready state (this player
// presses Enter within 4 passes), 69 of aiming (the computer's arrow reaches any offset
// within 25 frames and its meter comes within 3 of any power within one 44-frame cycle;
// this player releases within 31), 51 of flight (a flight ends within two frames of its
// time of at most 48.9 frames) and 37 of outcome (the longest, a ball over the table).
// This player aims every other throw or more at the middle of a standing cup, which
// always drops in, so a rack is emptied by its 30th throw and a game has at most 60;
// and the few menu commands each take a pass of their own.
constexpr int GameFrameBound = 60 * (11 + 5 + 69 + 51 + 37) + 5;

// splitmix64: the same games on every machine, which the standard distributions do
// not promise.
struct Dice {
  std::uint64_t state;
  int Below(int n) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<int>((z ^ (z >> 31)) % static_cast<std::uint64_t>(n));
  }
};

// Empty when the game keeps every rule that holds after any pass of a game of this mode.
std::string BrokenRule(int mode) {
  if (PlayState < TurnStart || PlayState > GameOver || PlayState == Unused) return "play state " + std::to_string(PlayState);
  if (GameMode != mode) return "mode " + std::to_string(GameMode);
  if (mode == VersusMode ? FrameHandler != VersusFrame : FrameHandler != HumanTurnFrame && FrameHandler != ComputerTurnFrame)
    return "the wrong turn handler";
  if (CurrentRack != RedRack && CurrentRack != BlueRack) return "no rack is the current one";
  if (std::string(RedRack->name) != (mode == VersusMode ? "Player 1" : "Player") ||
      std::string(BlueRack->name) != (mode == VersusMode ? "Player 2" : "Opponent"))
    return std::string("racks named ") + RedRack->name + " and " + BlueRack->name;
  for (const CupRack* rack : {RedRack, BlueRack}) {
    int standing = 0;
    for (const Cup& cup : rack->cups) standing += cup.present;
    if (standing != CupCount - rack->cupsHit) return std::string(rack->name) + ": standing and hit cups disagree";
    if (rack->gauge.level < 0 || rack->gauge.level > DrinkGauge::MaxLevel) return std::string(rack->name) + "'s gauge";
  }
  const bool redEmpty = RedRack->AllCupsHit();
  if (PlayState != GameOver) return *EndOfGameLine() ? "an end line before the game is over" : "";
  if (redEmpty == BlueRack->AllCupsHit()) return "game over with both racks or neither emptied";
  if (CurrentRack != (redEmpty ? RedRack : BlueRack)) return "the emptied rack is not the one shown";
  const std::string wanted = mode == VersusMode ? (redEmpty ? "Winner: Player 1" : "Winner: Player 2")
                                                : (redEmpty ? "You are victorious!  Player wins!" : "You lose... Opponent wins.");
  return wanted == EndOfGameLine() ? "" : std::string("end line ") + EndOfGameLine();
}

class SoakGame {
 public:
  SoakGame(HeadlessPlatform& window, std::uint64_t seed) : window_(window), dice_{seed} {}

  // Empty when every check held.
  std::string Play() {
    const int starts[] = {SinglePlayerButton, VersusButton, CmdNewSinglePlayer, CmdNewVersusGame};
    const int start = dice_.Below(4);
    int newGameAt = dice_.Below(4) ? -1 : 20 + dice_.Below(1500);
    int commandAt = dice_.Below(2) ? -1 : 1 + dice_.Below(2500);
    const int commands[] = {CmdOptions, CmdSoundFx, CmdMusic, CmdHowToPlay, CmdRules, CmdAboutTumbra, CmdAboutQervo};
    if (!NewGame(starts[start], start % 2 + 1)) return failure_;
    while (PlayState != GameOver) {
      // A menu command takes a pass of its own: the window takes one message a pass.
      if (!enterQueued_ && newGameAt >= 0 && passes_ >= newGameAt) {
        newGameAt = -1;
        const int mode = 1 + dice_.Below(2);
        if (!NewGame(mode == SinglePlayerMode ? CmdNewSinglePlayer : CmdNewVersusGame, mode)) return failure_;
        continue;
      }
      if (!enterQueued_ && commandAt >= 0 && passes_ >= commandAt) {
        commandAt = -1;
        window_.PostMessage(WM_COMMAND, commands[dice_.Below(7)]);  // the Options dialog is cancelled
      } else {
        PlayerInputs();
      }
      if (!Pass()) return failure_;
      if (frames_ > GameFrameBound) {
        Fail("no game over within " + std::to_string(GameFrameBound) + " frames");
        return failure_;
      }
    }
    // Enter and the arrows change nothing on the game-over screen.
    const int redHit = RedRack->cupsHit, blueHit = BlueRack->cupsHit;
    for (int i = 0; i < 3; ++i) {
      Enter();
      window_.Tap(static_cast<ArrowKey>(dice_.Below(2)));
      if (Pass() && (PlayState != GameOver || RedRack->cupsHit != redHit || BlueRack->cupsHit != blueHit))
        Fail("the game-over screen did not stay");
    }
    LetGoOfKeys();
    return failure_;
  }

 private:
  bool Fail(const std::string& why) {
    if (failure_.empty()) failure_ = "pass " + std::to_string(passes_) + ": " + why;
    return false;
  }
  void Enter() { window_.PostMessage(WM_CHAR, EnterChar); }
  bool HumanThrows() const { return FrameHandler != ComputerTurnFrame; }
  bool& LastSteered() { return lastSteered_[CurrentRack == BlueRack]; }

  bool Pass() {
    ++passes_;
    ++frames_;
    if (!MainLoopPass()) return Fail("the program quit");
    if (!window_.messageBoxes.empty()) return Fail("message: " + window_.messageBoxes.front().text);
    if (std::string broken = BrokenRule(mode_); !broken.empty()) return Fail(broken);
    // A throw at the middle of a standing cup drops into it: its first outcome frame
    // names the cup, and the hand-over finds one more cup hit on that rack.
    if (steeredCup_ >= 0 && PlayState == Outcome && !steeredJudged_) {
      if (InstalledThrowResult() != steeredCup_) return Fail("a throw at the middle of a cup missed it");
      steeredJudged_ = true;
    }
    if (steeredCup_ >= 0 && (PlayState == TurnStart || PlayState == Ready || PlayState == GameOver)) {
      if (!steeredJudged_ || steeredRack_->cupsHit != hitBefore_ + 1) return Fail("a throw at the middle of a cup took none");
      steeredCup_ = -1;
    }
    return true;
  }

  // Runs the pass that starts a game and checks that it starts afresh.
  bool NewGame(int command, int mode) {
    mode_ = mode;
    frames_ = 0;
    lastPlay_ = -1;
    lastSteered_[0] = lastSteered_[1] = true;
    steeredCup_ = -1;
    LetGoOfKeys();
    window_.PostMessage(WM_COMMAND, command);
    if (!Pass()) return false;
    const bool fresh = PlayState == Ready && CurrentRack == RedRack && RedRack->cupsHit + BlueRack->cupsHit == 0 &&
                       RedRack->gauge.level + BlueRack->gauge.level == 0;
    return fresh || Fail("a new game did not start with full racks, empty gauges and red ready");
  }

  void LetGoOfKeys() {
    for (int k = 0; k < 2; ++k)
      if (heldFor_[k] > 0) heldFor_[k] = 0, window_.Release(static_cast<ArrowKey>(k));
  }

  void PlayerInputs() {
    if (enterQueued_) {
      enterQueued_ = false;  // the second of two Enters is taken in this pass
      return;
    }
    if (PlayState != lastPlay_) {
      lastPlay_ = PlayState;
      wait_ = PlayState == Aiming ? 1 + dice_.Below(30) : dice_.Below(5);
      if (PlayState == Ready) released_ = false;
    }
    if (PlayState == Ready && wait_-- == 0) {
      Enter();
      // Now and then a second Enter at once: the throw goes after one frame of aiming,
      // unaimed; never two such throws in a row at one rack, which keeps every game finite.
      if (HumanThrows() && LastSteered() && dice_.Below(8) == 0) {
        released_ = enterQueued_ = true;
        LastSteered() = false;
        Enter();
      }
    } else if (PlayState == Aiming && HumanThrows() && !released_) {
      if (wait_-- == 0) return Release();
      for (int k = 0; k < 2; ++k)
        if (heldFor_[k] > 0 && --heldFor_[k] == 0) window_.Release(static_cast<ArrowKey>(k));
      const int roll = dice_.Below(10), k = dice_.Below(2);
      if (roll < 3) window_.Tap(static_cast<ArrowKey>(k));
      if (roll == 3 && heldFor_[k] == 0) heldFor_[k] = 1 + dice_.Below(12), window_.Press(static_cast<ArrowKey>(k));
    } else if (PlayState != Ready) {
      // Nothing waits for the player: stray keys, which must change nothing.
      LetGoOfKeys();
      if (dice_.Below(20) == 0) Enter();
      if (dice_.Below(20) == 0) window_.Tap(static_cast<ArrowKey>(dice_.Below(2)));
    }
  }

  // Sends the throw off, most times aimed at the middle of a standing cup's mouth
  // (x + 30, y + 8), which no rim of a cup with a lower index reaches.
  void Release() {
    LetGoOfKeys();
    released_ = true;
    LastSteered() = !LastSteered() || dice_.Below(100) < 60;
    if (LastSteered()) {
      std::vector<int> standing;
      for (int i = 0; i < CupCount; ++i)
        if (CurrentRack->cups[i].present) standing.push_back(i);
      steeredCup_ = standing[static_cast<size_t>(dice_.Below(static_cast<int>(standing.size())))];
      steeredRack_ = CurrentRack;
      hitBefore_ = CurrentRack->cupsHit;
      steeredJudged_ = false;
      Arrow.offset = AimFor(CurrentRack->cups[steeredCup_].x + 30);
      Meter.value = PowerFor(CurrentRack->cups[steeredCup_].y + 8);
    }
    Enter();
  }

  HeadlessPlatform& window_;
  Dice dice_;
  std::string failure_;
  int mode_ = 0, frames_ = 0, passes_ = 0, lastPlay_ = -1, wait_ = 0;
  bool released_ = false, enterQueued_ = false;
  int heldFor_[2] = {0, 0};             // passes each arrow key stays held
  bool lastSteered_[2] = {true, true};  // the last throw at the red and the blue rack
  const CupRack* steeredRack_ = nullptr;
  int steeredCup_ = -1, hitBefore_ = 0;
  bool steeredJudged_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tumbra_soak RUN_FOLDER [GAMES [SEED]]\n");
    return 2;
  }
  const fs::path data = fs::absolute(argv[1]);
  const char* games = std::getenv("TUMBRA_SOAK_GAMES");
  const int count = std::atoi(games ? games : argc > 2 ? argv[2] : "200");
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  QGuiApplication app(argc, argv);
  // A folder of its own with the game's pictures and sounds and an empty music folder.
  const fs::path folder = fs::temp_directory_path() / ("tumbra-soak-" + std::to_string(getpid()));
  fs::create_directories(folder / "music");
  fs::create_directory_symlink(data / "bmps", folder / "bmps");
  fs::create_directory_symlink(data / "wavs", folder / "wavs");
  std::ofstream(folder / "config.ini") << DefaultConfigText;
  fs::current_path(folder);

  HeadlessPlatform window(32);
  MainWindow = &window;
  window.timeBase = static_cast<std::int64_t>(seed);
  std::string failure = StartUp() ? "" : "the game did not start";
  for (int game = 0; failure.empty() && game < count; ++game) {
    failure = SoakGame(window, seed * 1000003 + static_cast<std::uint64_t>(game)).Play();
    if (!failure.empty()) failure = "game " + std::to_string(game) + ", " + failure;
  }
  window.PostMessage(WM_DESTROY);
  while (MainLoopPass()) {
  }
  ShutDown();
  if (failure.empty() && !window.messageBoxes.empty()) failure = "at the end: " + window.messageBoxes.front().text;
  std::printf("soak: %d games, %s\n", count, failure.empty() ? "every check held" : ("FAILED in " + failure).c_str());
  fs::current_path(data);
  fs::remove_all(folder);
  return failure.empty() ? 0 : 1;
}
