#include "pad_verbs.h"

#include <map>

#include "game/game_objects.h"
#include "game/game_state.h"
#include "platform/headless.h"
#include "replay_script.h"

namespace {

const std::map<std::string, PadButton> ButtonNames = {
    {"a", PadButton::A}, {"start", PadButton::Start}, {"left", PadButton::Left}, {"right", PadButton::Right}};

// From Ready a tapped A starts the meter and the next pass is aiming; a tapped A in
// aiming throws in the next pass. More passes than that mean the game went elsewhere.
constexpr int MostPasses = 100;

bool ReadInt(std::istringstream& words, long long& value) {
  std::string word;
  if (!(words >> word) || word.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 10);
  return *end == '\0';
}

int Throw(std::istringstream& words, HeadlessPlatform& platform, int pad, const std::function<int()>& pass,
          const std::function<int(const std::string&, int)>& fail) {
  long long arrow, meter;
  if (!ReadInt(words, arrow) || !ReadInt(words, meter)) return fail("pad throw takes an arrow and a meter", ScriptError);
  if (PlayState != Ready) return fail("pad throw starts from Ready", StateNotReached);
  auto tapA = [&] { return platform.SetPadButton(pad, PadButton::A, true) && platform.SetPadButton(pad, PadButton::A, false); };
  if (!tapA()) return fail("pad " + std::to_string(pad) + " is not plugged", ScriptError);
  for (int i = 0; PlayState != Aiming; ++i) {
    if (i == MostPasses) return fail("pad throw: Aiming not reached", StateNotReached);
    if (int code = pass(); code >= 0) return code;
  }
  Arrow.offset = static_cast<int>(arrow);
  Meter.value = static_cast<int>(meter);
  tapA();
  for (int i = 0; PlayState == Aiming; ++i) {
    if (i == MostPasses) return fail("pad throw: the ball never left", StateNotReached);
    if (int code = pass(); code >= 0) return code;
  }
  return -1;
}

}  // namespace

int PadVerb(std::istringstream& words, HeadlessPlatform& platform, const std::function<int()>& pass,
            const std::function<int(const std::string& why, int code)>& fail) {
  long long pad, x;
  std::string action, name;
  if (!ReadInt(words, pad) || (pad != 1 && pad != 2) || !(words >> action))
    return fail("pad takes 1 or 2 and what the pad does", ScriptError);
  const int p = static_cast<int>(pad);
  const std::string which = "pad " + std::to_string(p);
  bool done = false;
  if (action == "throw") return Throw(words, platform, p, pass, fail);
  if (action == "plug") done = platform.PlugPad(p);
  else if (action == "unplug") done = platform.UnplugPad(p);
  else if (action == "stick" && ReadInt(words, x) && x >= -32768 && x <= 32767)
    done = platform.SetPadStick(p, static_cast<int>(x));
  else if (action == "stick")
    return fail("pad stick takes -32768 to 32767", ScriptError);
  else if ((action == "press" || action == "release") && words >> name && ButtonNames.count(name))
    done = platform.SetPadButton(p, ButtonNames.at(name), action == "press");
  else if (action == "press" || action == "release")
    return fail("pad " + action + " takes a, start, left or right", ScriptError);
  else
    return fail("pad takes plug, unplug, press, release, stick or throw", ScriptError);
  if (done) return -1;
  if (action == "plug") return fail(which + " is plugged already, or SDL has no pads here", ScriptError);
  return fail(which + " is not plugged", ScriptError);
}
