#include "soak_game.h"

#include <fstream>
#include <vector>

#include "cup_aim.h"
#include "game_view.h"
#include "replay_process.h"

namespace {

// A pass takes milliseconds, even under the sanitizers; a minute without one is a hang.
constexpr int PassTimeoutMs = 60000;

// splitmix64: the same games on every machine, which the standard distributions do
// not promise.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : state_(seed) {}
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

 private:
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

const std::string Keys[2] = {"left", "right"};
const char* const InfoCommands[] = {"40009", "40010", "40011", "40012"};

class SoakGame {
 public:
  SoakGame(const std::string& program, const std::string& folder, std::uint64_t seed)
      : replay_(program, folder), script_(folder + "/game.replay"), dice_(seed) {
    script_ << "# soak game, seed " << seed << ": tumbra-replay game.replay plays it again\n";
  }

  SoakResult Play();

 private:
  bool Pass(const std::string& inputs, bool opensDialog = false);
  bool Fail(const std::string& why) {
    if (result_.failure.empty()) result_.failure = why;
    return false;
  }
  void PlanCommands();
  bool NewGame(const std::string& command, int mode);
  bool NextPass();
  std::string Inputs();
  std::string ReadyInputs();
  std::string AimingInputs();
  std::string Release();
  std::string LetGoOfKeys();
  int RackIndex() const { return view_.current == "blue" ? 1 : 0; }
  bool CheckSteeredThrow();
  bool PlayOn();
  bool StaysOver();
  bool Finish();

  ReplayProcess replay_;
  std::ofstream script_;
  Dice dice_;
  SoakResult result_;
  GameView view_;
  int mode_ = 0;
  int frames_ = 0;  // since the last new game
  // Menu commands planned at the start, by pass; -1 for none.
  int newGameAt_ = -1, optionsAt_ = -1, toggleAt_ = -1, toggleBackAt_ = -1, infoAt_ = -1;
  const char* toggle_ = "40008";
  // The player's plan for the turn in progress.
  bool readyPlanned_ = false;
  int readyWait_ = 0;
  bool aimPlanned_ = false;
  int aimPasses_ = 0, releaseAfter_ = 0;
  bool steer_ = false;
  bool released_ = false;      // this turn's throw is on its way
  bool enterQueued_ = false;   // an Enter waits in the window's queue for the next pass
  int heldFor_[2] = {0, 0};    // passes each arrow key stays held
  bool lastSteered_[2] = {true, true};  // the last throw at the red and the blue rack
  // A throw aimed at the middle of a cup, until it is judged and handed over.
  int steeredCup_ = -1;
  std::string steeredRack_;
  int hitBefore_ = 0;
  bool steeredJudged_ = false;
};

SoakResult SoakGame::Play() {
  if (!replay_.Started()) {
    Fail("tumbra-replay did not start");
    return result_;
  }
  PlanCommands();
  const int start = dice_.Below(4);
  const std::string time = "time " + std::to_string(1000000 + dice_.Below(1000000)) + "\n";
  // The title buttons send 1 and 2, the Game menu 40001 and 40002.
  const char* const starts[] = {"command 1\n", "command 2\n", "command 40001\n", "command 40002\n"};
  if (NewGame(time + starts[start], start % 2 + 1) && PlayOn() && StaysOver()) Finish();
  return result_;
}

void SoakGame::PlanCommands() {
  if (dice_.OneIn(4)) newGameAt_ = 20 + dice_.Below(1500);
  if (dice_.OneIn(4)) optionsAt_ = 1 + dice_.Below(2500);
  if (dice_.OneIn(3)) {
    toggleAt_ = 1 + dice_.Below(2500);
    toggleBackAt_ = dice_.OneIn(2) ? toggleAt_ + 1 + dice_.Below(500) : -1;
    toggle_ = dice_.OneIn(2) ? "40008" : "40013";  // Sound FX On, Music On
  }
  if (dice_.OneIn(10)) infoAt_ = 1 + dice_.Below(2500);
}

// Runs the pass that starts a game and checks that it starts afresh.
bool SoakGame::NewGame(const std::string& command, int mode) {
  mode_ = mode;
  frames_ = 0;
  readyPlanned_ = aimPlanned_ = released_ = false;
  lastSteered_[0] = lastSteered_[1] = true;
  steeredCup_ = -1;
  if (!Pass(LetGoOfKeys() + command)) return false;
  const bool fresh = view_.play == 1 && view_.current == "red" && view_.red.hit == 0 && view_.blue.hit == 0 &&
                     view_.red.level == 0 && view_.blue.level == 0;
  return fresh || Fail("a new game did not start with full racks, empty gauges and red ready");
}

// The next pass: a planned menu command when one is due, in a pass of its own so that
// it never shares one with the player's Enter (the window takes one message a pass);
// else the player's keys.
bool SoakGame::NextPass() {
  if (enterQueued_) return Pass(Inputs());
  const int at = result_.passes;
  auto due = [at](int& when) {
    bool now = when >= 0 && at >= when;
    if (now) when = -1;
    return now;
  };
  if (due(newGameAt_)) {
    const int mode = 1 + dice_.Below(2);
    return NewGame(mode == 1 ? "command 40001\n" : "command 40002\n", mode);
  }
  if (due(optionsAt_)) return Pass("answer cancel\ncommand 40005\n", true);
  if (due(toggleAt_) || due(toggleBackAt_)) return Pass(std::string("command ") + toggle_ + "\n");
  if (due(infoAt_)) return Pass(std::string("command ") + InfoCommands[dice_.Below(4)] + "\n", true);
  return Pass(Inputs());
}

bool SoakGame::PlayOn() {
  while (view_.play != 9) {
    if (!NextPass() || !CheckSteeredThrow()) return false;
    if (frames_ > GameFrameBound)
      return Fail("no game over within " + std::to_string(GameFrameBound) + " frames");
  }
  if (std::string wrong = WrongEnd(view_, mode_); !wrong.empty()) return Fail(wrong);
  result_.gameFrames = frames_;
  result_.mode = mode_;
  return true;
}

// Enter and the arrows change nothing on the game-over screen.
bool SoakGame::StaysOver() {
  const GameView over = view_;
  for (int i = 0, n = 1 + dice_.Below(4); i < n; ++i) {
    std::string keys = dice_.OneIn(2) ? "enter\n" : "";
    if (dice_.OneIn(2)) keys += "tap " + Keys[dice_.Below(2)] + "\n";
    if (!Pass(keys)) return false;
    if (view_.play != 9 || view_.end != over.end || view_.red.cups != over.red.cups ||
        view_.blue.cups != over.blue.cups)
      return Fail("the game-over screen did not stay");
  }
  return true;
}

bool SoakGame::Pass(const std::string& inputs, bool opensDialog) {
  const std::string lines = inputs + "pass\nstate\n";
  script_ << lines;
  if (!replay_.Send(lines)) return Fail("tumbra-replay stopped reading its script");
  ++result_.passes;
  ++frames_;
  std::string line;
  for (;;) {
    if (!replay_.ReadLine(line, PassTimeoutMs)) return Fail("no state after pass " + std::to_string(result_.passes));
    if (line.rfind("state ", 0) == 0) break;
    const bool quiet = line.rfind("sound ", 0) == 0 || line.rfind("music ", 0) == 0 ||
                       (opensDialog && line.rfind("dialog ", 0) == 0);
    if (!quiet) return Fail("pass " + std::to_string(result_.passes) + " printed: " + line);
  }
  if (!ParseStateLine(line, view_)) return Fail("unreadable state: " + line);
  if (std::string broken = BrokenRule(view_, mode_); !broken.empty())
    return Fail("pass " + std::to_string(result_.passes) + ": " + broken);
  return true;
}

std::string SoakGame::Inputs() {
  if (enterQueued_) {
    // The second of two Enters releases the throw in this pass.
    enterQueued_ = false;
    return "";
  }
  if (view_.play != 1) readyPlanned_ = false;
  if (view_.play != 3) aimPlanned_ = false;
  const bool aiming = view_.play == 3 && view_.HumanThrows() && !released_;
  std::string in = aiming ? "" : LetGoOfKeys();
  if (view_.play == 1) return in + ReadyInputs();
  if (aiming) return AimingInputs();
  // Nothing waits for the player: stray keys, which must change nothing.
  if (dice_.OneIn(20)) in += "enter\n";
  if (dice_.OneIn(20)) in += "tap " + Keys[dice_.Below(2)] + "\n";
  return in;
}

std::string SoakGame::ReadyInputs() {
  if (!readyPlanned_) {
    readyPlanned_ = true;
    readyWait_ = dice_.Below(5);
    released_ = false;
  }
  if (readyWait_-- > 0) return "";
  if (view_.HumanThrows() && lastSteered_[RackIndex()] && dice_.OneIn(8)) {
    // Two Enters at once: the throw goes after a single frame of aiming, unaimed.
    released_ = enterQueued_ = true;
    lastSteered_[RackIndex()] = false;
    return "enter\nenter\n";
  }
  return "enter\n";
}

std::string SoakGame::AimingInputs() {
  if (!aimPlanned_) {
    aimPlanned_ = true;
    aimPasses_ = 0;
    releaseAfter_ = 1 + dice_.Below(30);
    // Never two unaimed throws in a row at one rack: that keeps every game finite.
    steer_ = !lastSteered_[RackIndex()] || dice_.Below(100) < 60;
  }
  if (++aimPasses_ > releaseAfter_) return Release();
  std::string in;
  for (int k = 0; k < 2; ++k)
    if (heldFor_[k] > 0 && --heldFor_[k] == 0) in += "release " + Keys[k] + "\n";
  const int roll = dice_.Below(10);
  if (roll < 3) {
    in += "tap " + Keys[dice_.Below(2)] + "\n";
  } else if (roll == 3) {
    const int k = dice_.Below(2);
    if (heldFor_[k] == 0) {
      heldFor_[k] = 1 + dice_.Below(12);
      in += "press " + Keys[k] + "\n";
    }
  }
  return in;
}

std::string SoakGame::Release() {
  std::string in = LetGoOfKeys();
  released_ = true;
  lastSteered_[RackIndex()] = steer_;
  if (steer_) {
    std::vector<int> standing;
    const std::string& cups = view_.Current().cups;
    for (int i = 0; i < 15; ++i)
      if (cups[i] == '1') standing.push_back(i);
    steeredCup_ = standing[static_cast<size_t>(dice_.Below(static_cast<int>(standing.size())))];
    steeredRack_ = view_.current;
    hitBefore_ = view_.Current().hit;
    steeredJudged_ = false;
    const CupAim aim = AimAtCup(steeredCup_);
    in += "set meter " + std::to_string(aim.meter) + "\nset arrow " + std::to_string(aim.arrow) + "\n";
  }
  return in + "enter\n";
}

std::string SoakGame::LetGoOfKeys() {
  std::string in;
  for (int k = 0; k < 2; ++k)
    if (heldFor_[k] > 0) {
      heldFor_[k] = 0;
      in += "release " + Keys[k] + "\n";
    }
  return in;
}

// A throw at the middle of a standing cup drops into it: its first outcome frame names
// the cup, and the hand-over finds one more cup hit on that rack.
bool SoakGame::CheckSteeredThrow() {
  if (steeredCup_ < 0) return true;
  const std::string cup = "a throw at the middle of cup " + std::to_string(steeredCup_);
  if (view_.play == 7 && !steeredJudged_) {
    if (view_.result != steeredCup_) return Fail(cup + " was judged " + std::to_string(view_.result));
    steeredJudged_ = true;
  }
  if (view_.play == 0 || view_.play == 1 || view_.play == 9) {
    if (!steeredJudged_) return Fail(cup + " was handed over without a hit");
    const RackView& rack = steeredRack_ == "blue" ? view_.blue : view_.red;
    if (rack.hit != hitBefore_ + 1) return Fail(cup + " left " + std::to_string(rack.hit) + " cups hit");
    steeredCup_ = -1;
  }
  return true;
}

bool SoakGame::Finish() {
  std::vector<std::string> last;
  const int code = replay_.Finish(last, PassTimeoutMs);
  script_ << "# the script's end closes the window\n";
  for (const std::string& line : last)
    if (line.rfind("message ", 0) == 0) return Fail("at the end: " + line);
  if (code != 0 || last.empty() || last.back() != "exit 0")
    return Fail("the program ended with status " + std::to_string(code) +
                (last.empty() ? "" : ", last line: " + last.back()));
  return true;
}

}  // namespace

SoakResult PlaySoakGame(const std::string& replayProgram, const std::string& folder, std::uint64_t seed) {
  return SoakGame(replayProgram, folder, seed).Play();
}
