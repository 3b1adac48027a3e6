// tumbra_soak: whole games played in this process on the headless platform by a seeded
// random player (Enter at random moments, arrow taps, now and then a new game
// or a menu command), with the game's rules checked after every pass.
// Usage: tumbra_soak RUN_FOLDER [GAMES [SEED]]; TUMBRA_SOAK_GAMES, when set, overrides GAMES.
#include <QGuiApplication>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/program.h"
#include "base/settings.h"
#include "base/throw_geometry.h"
#include "game/computer_turn.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/installed_turn.h"
#include "game/screens.h"
#include "game/turn.h"
#include "game/versus_turn.h"
#include "platform/headless/headless_platform.h"
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
// and a menu command takes a pass of its own.
constexpr int GameFrameBound = 60 * (11 + 5 + 69 + 51 + 37) + 5;

// splitmix64: the same games on every machine, which the standard distributions do
// not promise.
std::uint64_t DiceState;
int Below(int n) {
  std::uint64_t z = (DiceState += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return static_cast<int>((z ^ (z >> 31)) % static_cast<std::uint64_t>(n));
}

HeadlessPlatform* Window;

// Empty when the game keeps every rule that holds after any pass of a game of this mode.
std::string BrokenRule(int mode) {
  const bool vs = mode == VersusMode;
  if (PlayState < TurnStart || PlayState > GameOver || PlayState == Unused) return "play state";
  if (GameMode != mode) return "mode " + std::to_string(GameMode);
  if (!RunningTurn() || (RunningTurn() == &VersusTurn) != vs) return "the wrong turn";
  if (CurrentRack != RedRack && CurrentRack != BlueRack) return "no rack is the current one";
  if (!Window->titleButtons.empty()) return "a title button outlived the title screen";
  if (Arrow.offset < 0 || Arrow.offset > 390 || Meter.value < 0 || Meter.value > 150) return "arrow or meter off its travel";
  if (std::string(RedRack->name) != (vs ? "Player 1" : "Player") ||
      std::string(BlueRack->name) != (vs ? "Player 2" : "Opponent"))
    return std::string("racks named ") + RedRack->name + " and " + BlueRack->name;
  for (const CupRack* rack : {RedRack, BlueRack}) {
    int standing = 0;
    for (const Cup& cup : rack->cups) standing += cup.present;
    if (standing != CupCount - rack->cupsHit) return "standing and hit cups disagree";
    if (rack->gauge.level < 0 || rack->gauge.level > DrinkGauge::MaxLevel) return "a gauge";
    // Nine cups down, the last six stand in the small triangle of 4, 7, 8, 11, 12 and 13.
    for (int i : {0, 1, 2, 3, 5, 6, 9, 10, 14})
      if (rack->cupsHit >= 9 && rack->cups[i].present) return "a cup outside the re-rack's triangle";
  }
  const bool redEmpty = RedRack->AllCupsHit();
  if (PlayState != GameOver) {
    if (OtherRack == CurrentRack || (OtherRack != RedRack && OtherRack != BlueRack)) return "the other rack";
    if (!vs && (CurrentRack == BlueRack) != (RunningTurn() == &ComputerTurn)) return "the computer's turn and rack";
    return *EndOfGameLine() ? "an end line before the game is over" : "";
  }
  if (redEmpty == BlueRack->AllCupsHit()) return "game over with both racks or neither emptied";
  if (CurrentRack != (redEmpty ? RedRack : BlueRack)) return "the emptied rack is not shown";
  const char* wanted = vs ? (redEmpty ? "Winner: Player 1" : "Winner: Player 2")
                          : (redEmpty ? "You are victorious!  Player wins!"
                                      : "You lose... Opponent wins.");
  return wanted == std::string(EndOfGameLine()) ? "" : std::string("end ") + EndOfGameLine();
}

std::string Failure;
int Mode, Frames, Passes, LastPlay, Wait;
bool LastSteered[2];  // the last throw at the red and the blue rack went at a cup
const CupRack* SteeredRack;
int HitBefore;

// Passes in a row that ran a frame of a throw's outcome, and that ended waiting in
// TurnStart; whether a re-rack was pending when that wait began; whether a new game broke
// off a splash, which the next hit then finishes; whether this pass starts a new game.
int OutcomeRun, WaitRun;
bool WaitPending, SplashCut, Fresh;

// Frames a throw's outcome is seen for, the landing's own included: a miss hands over at
// once, a bounce off a rim is seen for 31 frames, a ball over the table for 37 and a
// splash for 32.
int OutcomeLength(int result) { return result == Miss ? 1 : result == RimHit ? 31 : result == Over ? 37 : 32; }

// The red and the blue rack's hit counts and gauges, and the ball's height.
using Tally = std::array<int, 5>;
Tally Count() { return {RedRack->cupsHit, BlueRack->cupsHit, RedRack->gauge.level, BlueRack->gauge.level, TheBall.y}; }
int Capped(int level, int drink) { return std::min(DrinkGauge::MaxLevel, level + drink); }

// Empty when what the throw of `thrower` cost, from `was` to `now`, keeps the rules: a
// cup hit is a cup of the rack thrown at and its drink, 5 or the full 15, for the other
// side; a ball over the table a cup of the thrower's own, never his last, and 5 for him
// to drink; anything else nothing. A ninth cup gone re-racks and holds up the next turn.
std::string BrokenCost(int result, const CupRack* thrower, const Tally& was, const Tally& now) {
  const int t = thrower == BlueRack, o = 1 - t;
  const bool hit = result >= 0, paid = result == Over && was[o] < CupCount - 1;
  const bool drank = hit ? now[2 + o] == Capped(was[2 + o], 5) || now[2 + o] == Capped(was[2 + o], 15)
                         : now[2 + o] == was[2 + o];
  if (!drank || now[t] != was[t] + hit || now[o] != was[o] + paid || now[2 + t] != Capped(was[2 + t], 5 * paid))
    return "throw " + std::to_string(result) + " cost the wrong cups or drinks";
  for (int i : {t, o})
    if (was[i] == 8 && now[i] == 9 && !ReconfigurePending) return "a re-rack held up no turn";
  return "";
}

// Empty when the pass that began in `before` (-1: a new game's) moved the turn on by the
// rules: the hand-over, the outcome's and the re-rack's frame counts, the end of a game.
std::string BrokenFlow(int before, const TurnRecord* turn, const CupRack* thrower, const Tally& was) {
  const int result = turn ? turn->progress.throwResult : 0;
  const bool outcomeFrame = before == Landing || before == Outcome;
  if (before < 0) OutcomeRun = WaitRun = 0;
  if (before == Landing && result == RimHit && TheBall.y >= was[4]) return "the ball did not leave the rim upward";
  if (outcomeFrame && PlayState == TurnStart &&
      (CurrentRack == thrower || Meter.value > 6 || Arrow.offset < 193 || Arrow.offset > 197))
    return "the hand-over did not pass the turn with a fresh meter and arrow";
  if (outcomeFrame) ++OutcomeRun;
  if (outcomeFrame && PlayState != Outcome) {
    if (PlayState != TurnStart && PlayState != GameOver) return "an outcome that handed over nothing";
    if (std::string broken = BrokenCost(result, thrower, was, Count()); !broken.empty()) return broken;
    const int frames = std::exchange(OutcomeRun, 0);
    if (SplashCut && result >= 0)
      SplashCut = false;
    else if (frames != OutcomeLength(result))
      return "outcome " + std::to_string(result) + " lasted " + std::to_string(frames) + " frames";
  }
  // After a re-rack the next turn waits 11 frames before its banner, every time.
  if (PlayState == TurnStart && before != TurnStart) WaitRun = 0, WaitPending = ReconfigurePending;
  if (PlayState == TurnStart) ++WaitRun;
  if (before == TurnStart && PlayState != TurnStart && (ReconfigurePending || WaitRun != (WaitPending ? 11 : 1)))
    return "a turn waited " + std::to_string(WaitRun) + " frames";
  return "";
}

bool Fail(const std::string& why) {
  if (Failure.empty()) Failure = "pass " + std::to_string(Passes) + ": " + why;
  return false;
}

void Post(int message, int value) { Window->PostMessage(message, value); }
void Tap() { Window->Tap(static_cast<ArrowKey>(Below(2))); }

bool Pass() {
  ++Passes;
  const int before = Fresh ? -1 : PlayState;
  const TurnRecord* turn = RunningTurn();
  const CupRack* thrower = CurrentRack;
  const Tally was = Count();
  Fresh = false;
  if (!MainLoopPass()) return Fail("the program quit");
  if (!Window->messageBoxes.empty()) return Fail("message: " + Window->messageBoxes.front().text);
  if (std::string broken = BrokenRule(Mode); !broken.empty()) return Fail(broken);
  if (std::string broken = BrokenFlow(before, turn, thrower, was); !broken.empty()) return Fail(broken);
  // A throw at the middle of a standing cup drops into it: the hand-over finds one more
  // cup hit on that rack.
  if (SteeredRack && (PlayState == TurnStart || PlayState == Ready || PlayState == GameOver)) {
    if (SteeredRack->cupsHit != HitBefore + 1) return Fail("a throw at a cup's middle missed");
    SteeredRack = nullptr;
  }
  return true;
}

// Runs the pass that starts a game and checks that it starts afresh.
void NewGame(int command, int mode) {
  Mode = mode;
  Frames = 0;
  LastPlay = -1;
  SteeredRack = nullptr;
  SplashCut |= PlayState == Outcome && InstalledThrowResult() >= 0;
  Fresh = true;
  Post(WM_COMMAND, command);
  if (Pass() && (PlayState != Ready || CurrentRack != RedRack ||
                 RedRack->cupsHit + BlueRack->cupsHit + RedRack->gauge.level +
                         BlueRack->gauge.level != 0))
    Fail("a new game did not start with full racks, empty gauges and red ready");
}

// Sends the throw off, most times aimed at the middle of a standing cup's mouth
// (x + 30, y + 8), which no rim of a cup with a lower index reaches.
void Release() {
  bool& steered = LastSteered[CurrentRack == BlueRack];
  steered = !steered || Below(100) < 60;
  if (steered) {
    int cup;
    do cup = Below(CupCount);
    while (!CurrentRack->cups[cup].present);
    SteeredRack = CurrentRack;
    HitBefore = CurrentRack->cupsHit;
    Arrow.offset = AimFor(CurrentRack->cups[cup].x + 30);
    Meter.value = PowerFor(CurrentRack->cups[cup].y + 8);
  }
  Post(WM_CHAR, EnterChar);
}

void PlayerInputs() {
  if (PlayState != LastPlay) {
    LastPlay = PlayState;
    Wait = PlayState == Aiming ? 1 + Below(30) : Below(5);
  }
  if (PlayState == Ready && Wait-- == 0) {
    Post(WM_CHAR, EnterChar);
  } else if (PlayState == Aiming && RunningTurn()->enterThrows && Wait >= 0) {
    if (Wait-- == 0) return Release();
    if (Below(3) == 0) Tap();
  } else if (PlayState != Ready) {
    // Nothing waits for the player: stray keys, which must change nothing.
    if (Below(20) == 0) Post(WM_CHAR, EnterChar);
    if (Below(20) == 0) Tap();
  }
}

// One game; empty when every check held.
std::string PlayGame() {
  const int starts[] = {SinglePlayerButton, VersusButton, CmdNewSinglePlayer, CmdNewVersusGame};
  const int commands[] = {CmdOptions, CmdSoundFx, CmdMusic, CmdHowToPlay, CmdAboutQervo};
  const int start = Below(4);
  int newGameAt = Below(4) ? -1 : Passes + 20 + Below(1500);
  const int commandAt = Below(2) ? -1 : Passes + 20 + Below(2500);
  NewGame(starts[start], start % 2 + 1);
  while (Failure.empty() && PlayState != GameOver) {
    // A new game in the middle of one starts afresh (not in a re-rack's wait, which would
    // carry over); a menu command takes a pass of its own, and the Options dialog is
    // cancelled.
    if (newGameAt >= 0 && Passes >= newGameAt && !ReconfigurePending) {
      newGameAt = -1;
      const int mode = 1 + Below(2);
      NewGame(starts[1 + mode], mode);
      continue;
    }
    Passes == commandAt ? Post(WM_COMMAND, commands[Below(5)]) : PlayerInputs();
    if (Pass() && ++Frames > GameFrameBound) Fail("no game over in time");
  }
  // Enter and the arrows change nothing on the game-over screen.
  const int hits = RedRack->cupsHit * 100 + BlueRack->cupsHit;
  for (int i = 0; i < 3 && Failure.empty(); ++i) {
    Post(WM_CHAR, EnterChar);
    Tap();
    if (Pass() && (PlayState != GameOver || RedRack->cupsHit * 100 + BlueRack->cupsHit != hits))
      Fail("the game-over screen did not stay");
  }
  return Failure;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path data = fs::absolute(argc > 1 ? argv[1] : ".");
  const char* games = std::getenv("TUMBRA_SOAK_GAMES");
  const int count = std::atoi(games ? games : argc > 2 ? argv[2] : "200");
  DiceState = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
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
  MainWindow = Window = &window;
  window.timeBase = static_cast<std::int64_t>(DiceState);
  if (!StartUp()) Failure = "the game did not start";
  int game = 0;
  while (Failure.empty() && game < count) PlayGame(), ++game;
  window.PostMessage(WM_DESTROY);
  while (MainLoopPass()) {
  }
  ShutDown();
  fs::current_path(data);
  fs::remove_all(folder);
  std::printf("soak: game %d of %d, %s\n", game, count,
              Failure.empty() ? "every check held" : Failure.c_str());
  return Failure.empty() ? 0 : 1;
}
