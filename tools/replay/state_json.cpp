#include "state_json.h"

#include <vector>

#include "app/setting_table.h"
#include "app/window_proc.h"
#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/installed_turn.h"
#include "game/internet_match.h"
#include "game/screens.h"
#include "game/turn.h"
#include "trace.h"

namespace {

std::string Field(const char* key, const std::string& json) { return JsonString(key) + ":" + json; }
std::string Field(const char* key, long long number) { return Field(key, std::to_string(number)); }

std::string Object(const std::vector<std::string>& fields) {
  std::string out = "{";
  for (const std::string& f : fields) out += (out.size() > 1 ? "," : "") + f;
  return out + "}";
}

std::string HandlerName() {
  if (FrameHandler == TitleFrame) return JsonString("title");
  const TurnRecord* turn = RunningTurn();
  return turn ? JsonString(turn->name) : "null";
}

const char* RackName(const CupRack* rack) {
  if (rack && rack == RedRack) return "\"red\"";
  if (rack && rack == BlueRack) return "\"blue\"";
  return "null";
}

std::string RackJson(const CupRack& rack) {
  std::string cups, beer = "[";
  for (int i = 0; i < 15; ++i) {
    cups += rack.cups[i].present ? '1' : '0';
    beer.append(i ? "," : "").append(std::to_string(rack.cups[i].beer));
  }
  return Object({Field("name", JsonString(rack.name)), Field("hit", rack.cupsHit),
                 Field("level", rack.gauge.level), Field("cups", JsonString(cups)),
                 Field("beer", beer + "]")});
}

// The Internet game: how its connection stands, whose turn it is and which rack is the
// local player's, the opponent, and the throws of the game so far.
std::string NetJson() {
  static const char* const Stages[] = {"off", "connecting", "waiting", "playing", "ended"};
  const bool on = GameMode == InternetMode;
  const char* turn = !on ? "null" : CurrentRack == PlayerRack ? "\"local\"" : "\"remote\"";
  return Object({Field("stage", JsonString(Stages[Match.stage])), Field("lost", Match.lost ? 1 : 0),
                 Field("away", Match.opponentAway ? 1 : 0), Field("turn", turn),
                 Field("local", on ? RackName(PlayerRack) : "null"), Field("opponent", JsonString(Match.opponent)),
                 Field("throws", Match.throws)});
}

std::string SettingsJson() {
  std::vector<std::string> fields;
  for (const SettingRow& s : SettingTable) fields.push_back(Field(s.key, JsonString(s.field)));
  return Object(fields);
}

}  // namespace

std::string StateJson(unsigned ticks) {
  return Object({
      Field("mode", GameMode),
      Field("play", PlayState),
      Field("handler", HandlerName()),
      Field("current", RackName(CurrentRack)),
      Field("other", RackName(OtherRack)),
      Field("red", RackJson(*RedRack)),
      Field("blue", RackJson(*BlueRack)),
      Field("meter", Object({Field("value", Meter.value), Field("speed", Meter.speed)})),
      Field("arrow", Object({Field("offset", Arrow.offset), Field("step", Arrow.step)})),
      Field("ball", Object({Field("x", TheBall.x), Field("y", TheBall.y), Field("vx", TheBall.vx),
                            Field("vy", TheBall.vy), Field("targetX", TheBall.targetX),
                            Field("targetY", TheBall.targetY)})),
      Field("result", InstalledThrowResult()),
      Field("reconfigurePending", ReconfigurePending ? 1 : 0),
      Field("soundFx", SoundFxOn ? 1 : 0),
      Field("musicOn", MusicOn ? 1 : 0),
      Field("musicIdle", MusicIdle ? 1 : 0),
      Field("settings", SettingsJson()),
      Field("ticks", static_cast<long long>(ticks)),
      Field("end", JsonString(EndOfGameLine())),
      Field("net", NetJson()),
  });
}
