#include "pad_verbs.h"

#include <map>

#include "platform/headless/headless_platform.h"
#include "replay_script.h"

namespace {

const std::map<std::string, PadButton> ButtonNames = {
    {"a", PadButton::A}, {"start", PadButton::Start}, {"left", PadButton::Left}, {"right", PadButton::Right}};

bool ReadInt(std::istringstream& words, long long& value) {
  std::string word;
  return words >> word && ParseInt(word, value);
}

}  // namespace

int PadVerb(std::istringstream& words, HeadlessPlatform& platform, const ThrowWith& throwWith,
            const std::function<int(const std::string& why, int code)>& fail) {
  long long pad, x;
  std::string action, name;
  if (!ReadInt(words, pad) || (pad != 1 && pad != 2) || !(words >> action))
    return fail("pad takes 1 or 2 and what the pad does", ScriptError);
  const int p = static_cast<int>(pad);
  const std::string which = "pad " + std::to_string(p);
  bool done = false;
  if (action == "throw") {
    // A release of a button that is up changes nothing, and tells whether the pad is there.
    if (!platform.SetPadButton(p, PadButton::A, false)) return fail(which + " is not plugged", ScriptError);
    return throwWith([&platform, p] {
      platform.SetPadButton(p, PadButton::A, true);
      platform.SetPadButton(p, PadButton::A, false);
    });
  }
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
