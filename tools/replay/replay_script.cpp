#include "replay_script.h"

#include <QImage>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/internet_game.h"
#include "app/program.h"
#include "app/setting_table.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/installed_turn.h"
#include "game/turn.h"
#include "pad_verbs.h"
#include "platform/headless/headless_platform.h"
#include "resources/dialogs.h"
#include "state_json.h"
#include "trace.h"

namespace {

// The colour of a pixel of the last frame, red, green and blue; black outside it.
unsigned PixelOf(const FrameView& f, int x, int y) {
  const QImage image(static_cast<const uchar*>(f.pixels), f.width, f.height, f.pitch,
                     f.depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32);
  return image.valid(x, y) ? image.pixel(x, y) & 0xFFFFFFu : 0;
}

const char* const StateNames[] = {"TurnStart", "Ready",  "AimStart", "Aiming", "Launch",
                                  "Landing",   "Flight", "Outcome",  "Unused", "GameOver"};

const std::map<std::string, int> Signals = {{"INT", SIGINT}, {"TERM", SIGTERM}, {"HUP", SIGHUP}};

// An edit of a dialog by name: a setting as config.ini names it, the whole key, or the
// Internet Game dialog's opponent; 0 for none.
int EditNamed(const std::string& key) {
  for (const SettingRow& s : SettingTable)
    if (key == s.key) return s.controlId;
  return key == "opponent" ? IdOpponent : 0;
}

class Runner {
 public:
  explicit Runner(HeadlessPlatform& platform) : platform_(platform) {}

  // Returns -1 to go on, or the driver's exit code.
  int Line(const std::string& text, int number);
  // The script's end closes the window.
  int Finish();

 private:
  int Fail(int number, const std::string& why, int code = ScriptError) {
    std::fprintf(stderr, "tumbra-replay: line %d: %s\n", number, why.c_str());
    if (running_) ShutDown();
    running_ = false;
    return code;
  }
  // Runs passes; -1 while the program runs on, else its exit code after shutdown.
  int Pass() {
    if (MainLoopPass()) return -1;
    ShutDown();
    running_ = false;
    TraceLine("exit " + std::to_string(QuitCode()));
    return QuitCode();
  }
  int Passes(std::istringstream& words, int number);
  int Until(std::istringstream& words, int number);
  int RunUntil(int state, long long most, int number);
  int Throw(std::istringstream& words, int number, const std::function<void()>& pressThrowButton);
  int Answer(std::istringstream& words, int number);
  int Net(std::istringstream& words, int number);
  int Set(std::istringstream& words, int number);
  int Shot(const std::string& file, int number);

  HeadlessPlatform& platform_;
  bool running_ = true;
  bool throwing_ = false;
};

// How many passes `until` runs at most unless the script says.
constexpr long long UntilPasses = 10000;

bool ParseState(const std::string& word, int& state) {
  for (int i = 0; i < 10; ++i)
    if (word == StateNames[i] || word == std::to_string(i)) {
      state = i;
      return true;
    }
  return false;
}

bool ParseKey(const std::string& word, ArrowKey& key) {
  if (word == "left") key = ArrowKey::Left;
  else if (word == "right") key = ArrowKey::Right;
  else return false;
  return true;
}

// A typed value: \n, \r, \t, \\ and \xHH stand for the bytes that a script line
// cannot hold. False for any other backslash.
bool Unescape(const std::string& text, std::string& out) {
  static const std::map<char, char> Simple = {{'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'\\', '\\'}};
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
    } else if (i + 1 < text.size() && Simple.count(text[i + 1])) {
      out += Simple.at(text[++i]);
    } else if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}


// Reads `count` as an optional number, `fallback` when absent.
bool OptionalCount(std::istringstream& words, long long fallback, long long& count) {
  std::string word;
  if (!(words >> word)) {
    count = fallback;
    return true;
  }
  return ParseInt(word, count) && count >= 0;
}

int Runner::Passes(std::istringstream& words, int number) {
  long long count;
  if (!OptionalCount(words, 1, count)) return Fail(number, "pass takes a count");
  for (long long i = 0; i < count; ++i)
    if (int code = Pass(); code >= 0) return code;
  return -1;
}

int Runner::Until(std::istringstream& words, int number) {
  std::string name;
  int state;
  long long most;
  if (!(words >> name) || !ParseState(name, state)) return Fail(number, "until takes a state");
  if (!OptionalCount(words, UntilPasses, most)) return Fail(number, "until takes a pass count");
  return RunUntil(state, most, number);
}

// A throw waits for a Ready that the player's Enter starts: the Internet game's
// opponent's turn waits on its banner for the network, not for him.
bool ReadyToThrow() {
  const TurnRecord* turn = RunningTurn();
  return PlayState == Ready && (!turn || turn->enterStarts);
}

int Runner::RunUntil(int state, long long most, int number) {
  for (long long i = 0; PlayState != state || (state == Ready && throwing_ && !ReadyToThrow()); ++i) {
    if (i == most) return Fail(number, std::string("state ") + StateNames[state] + " not reached", StateNotReached);
    if (int code = Pass(); code >= 0) return code;
  }
  return -1;
}

// One throw as a player makes it: once the turn is Ready, the throw button starts the
// aiming, the arrow and the meter are put at ARROW and METER, and the button again
// sends the ball off. Ends when the throw has left Aiming.
int Runner::Throw(std::istringstream& words, int number, const std::function<void()>& pressThrowButton) {
  std::string a, m;
  long long arrow, meter;
  if (!(words >> a >> m) || !ParseInt(a, arrow) || !ParseInt(m, meter))
    return Fail(number, "throw takes an arrow offset and a meter value");
  throwing_ = true;
  const int code = RunUntil(Ready, UntilPasses, number);
  throwing_ = false;
  if (code >= 0) return code;
  pressThrowButton();
  if (int code = RunUntil(Aiming, UntilPasses, number); code >= 0) return code;
  Arrow.offset = static_cast<int>(arrow);
  Meter.value = static_cast<int>(meter);
  pressThrowButton();
  for (long long i = 0; PlayState == Aiming; ++i) {
    if (i == UntilPasses) return Fail(number, "the throw did not leave Aiming", StateNotReached);
    if (int code = Pass(); code >= 0) return code;
  }
  return -1;
}

int Runner::Answer(std::istringstream& words, int number) {
  std::string kind;
  words >> kind;
  HeadlessPlatform::DialogAnswer answer;
  if (kind == "cancel") {
    answer.kind = HeadlessPlatform::DialogAnswer::Cancel;
  } else if (kind == "browse") {
    answer.kind = HeadlessPlatform::DialogAnswer::Browse;
    answer.browseButton = IdBrowse;
    // No path: the player cancels the folder chooser.
    std::getline(words >> std::ws, answer.path);
  } else if (kind == "ok") {
    answer.kind = HeadlessPlatform::DialogAnswer::Ok;
    std::string pair;
    while (words >> pair) {
      const size_t eq = pair.find('=');
      const int edit = eq == std::string::npos ? 0 : EditNamed(pair.substr(0, eq));
      if (!edit) return Fail(number, "unknown setting in " + pair);
      if (!Unescape(pair.substr(eq + 1), answer.edits[edit])) return Fail(number, "bad escape in " + pair);
    }
  } else if (kind == "net") {
    answer.kind = HeadlessPlatform::DialogAnswer::Net;
  } else if (kind == "yes" || kind == "no") {
    platform_.questionAnswers.push_back(kind == "yes");
    return -1;
  } else {
    return Fail(number, "answer takes ok, cancel, browse, net, yes or no");
  }
  platform_.dialogAnswers.push_back(answer);
  return -1;
}

// `net [SECONDS]`: the game takes the next event of its connection, waited for in real
// time; `net drop` cuts the line; `net resume SECONDS` sets how long the next connection
// tries to come back.
int Runner::Net(std::istringstream& words, int number) {
  std::string word;
  long long seconds = 10;
  if (words >> word && word == "drop") {
    DropConnection();
    return -1;
  }
  if (word == "resume") {
    if (!(words >> word) || !ParseInt(word, seconds) || seconds < 0) return Fail(number, "net resume takes seconds");
    NetResumeSeconds = static_cast<int>(seconds);
    return -1;
  }
  if (!word.empty() && (!ParseInt(word, seconds) || seconds < 0)) return Fail(number, "net takes seconds");
  if (!platform_.WaitForNetwork(static_cast<double>(seconds)))
    return Fail(number, "nothing came from the network", NetTimeout);
  platform_.PostMessage(WM_NETEVENT);
  const int taken = platform_.netEventsTaken + 1;
  while (platform_.netEventsTaken < taken)
    if (int code = Pass(); code >= 0) return code;
  return -1;
}

int Runner::Set(std::istringstream& words, int number) {
  std::string what, side, value;
  long long v;
  words >> what;
  if (what == "level") words >> side;
  if (!(words >> value) || !ParseInt(value, v)) return Fail(number, "set takes a number");
  if (what == "meter") Meter.value = static_cast<int>(v);
  else if (what == "arrow") Arrow.offset = static_cast<int>(v);
  else if (what == "level" && side == "red") RedRack->gauge.level = static_cast<int>(v);
  else if (what == "level" && side == "blue") BlueRack->gauge.level = static_cast<int>(v);
  else return Fail(number, "set takes meter, arrow or level red|blue");
  return -1;
}

int Runner::Shot(const std::string& file, int number) {
  const FrameView& f = platform_.lastFrameView;
  if (platform_.framesPresented == 0) return Fail(number, "no frame has been presented yet");
  QImage image(static_cast<const uchar*>(f.pixels), f.width, f.height, f.pitch,
               f.depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32);
  if (!image.save(QString::fromLocal8Bit(file.c_str()), "PNG")) return Fail(number, "cannot write " + file);
  return -1;
}

int Runner::Line(const std::string& text, int number) {
  std::istringstream words(text.substr(0, text.find('#')));
  std::string verb;
  if (!(words >> verb)) return -1;
  if (verb == "pass") return Passes(words, number);
  if (verb == "until") return Until(words, number);
  if (verb == "state") {
    TraceLine("state " + StateJson(platform_.TickCount()));
    return -1;
  }
  if (verb == "answer") return Answer(words, number);
  if (verb == "net") return Net(words, number);
  if (verb == "trust") {
    std::string fingerprint;
    if (!(words >> fingerprint)) return Fail(number, "trust takes a fingerprint");
    platform_.TrustFingerprint(TrustKey(), fingerprint);
    return -1;
  }
  std::string a, b;
  long long x, y;
  ArrowKey key;
  if (verb == "set") return Set(words, number);
  if (verb == "pad")
    return PadVerb(
        words, platform_, [&](const std::function<void()>& press) { return Throw(words, number, press); },
        [&](const std::string& why, int code) { return Fail(number, why, code); });
  if (verb == "shot") {
    std::string file;
    std::getline(words >> std::ws, file);
    return Shot(file, number);
  }
  if (verb == "pixel" && words >> a >> b && ParseInt(a, x) && ParseInt(b, y)) {
    if (platform_.framesPresented == 0) return Fail(number, "no frame has been presented yet");
    char colour[8];
    std::snprintf(colour, sizeof colour, "%06x", PixelOf(platform_.lastFrameView, int(x), int(y)));
    TraceLine("pixel " + a + " " + b + " " + colour);
    return -1;
  }
  if (verb == "enter") {
    platform_.PostMessage(WM_CHAR, EnterChar);
    return -1;
  }
  if (verb == "throw") return Throw(words, number, [this] { platform_.PostMessage(WM_CHAR, EnterChar); });
  if (verb == "close") {
    platform_.PostMessage(WM_DESTROY);
    return -1;
  }
  if (verb == "signal" && words >> a && Signals.count(a)) {
    std::raise(Signals.at(a));
    return -1;
  }
  if ((verb == "char" || verb == "command") && words >> a && ParseInt(a, x)) {
    platform_.PostMessage(verb == "char" ? WM_CHAR : WM_COMMAND, static_cast<std::intptr_t>(x));
    return -1;
  }
  if (verb == "move" && words >> a >> b && ParseInt(a, x) && ParseInt(b, y)) {
    platform_.MoveWindow(static_cast<int>(x), static_cast<int>(y));
    return -1;
  }
  if (verb == "time" && words >> a && ParseInt(a, x)) {
    platform_.timeBase = x;
    return -1;
  }
  if ((verb == "press" || verb == "release" || verb == "tap") && words >> a && ParseKey(a, key)) {
    if (verb == "press") platform_.Press(key);
    else if (verb == "release") platform_.Release(key);
    else platform_.Tap(key);
    return -1;
  }
  return Fail(number, "cannot read: " + text);
}

int Runner::Finish() {
  if (!running_) return 0;
  platform_.PostMessage(WM_DESTROY);
  for (;;)
    if (int code = Pass(); code >= 0) return code;
}

}  // namespace

bool ParseInt(const std::string& word, long long& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 10);
  return *end == '\0';
}

int RunScript(std::istream& script, HeadlessPlatform& platform) {
  Runner runner(platform);
  std::string line;
  for (int number = 1; std::getline(script, line); ++number)
    if (int code = runner.Line(line, number); code >= 0) return code;
  return runner.Finish();
}
