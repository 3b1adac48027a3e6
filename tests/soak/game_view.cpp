#include "game_view.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

RackView Rack(const QJsonObject& o) {
  return {o["name"].toString().toStdString(), o["cups"].toString().toStdString(), o["hit"].toInt(-1),
          o["level"].toInt(-1)};
}

std::string RackRule(const RackView& rack, const char* side) {
  const std::string name(side);
  if (rack.cups.size() != 15 || rack.cups.find_first_not_of("01") != std::string::npos)
    return name + " cups are \"" + rack.cups + "\"";
  const auto standing = std::count(rack.cups.begin(), rack.cups.end(), '1');
  if (rack.hit < 0 || rack.hit > 15 || standing != 15 - rack.hit)
    return name + " has " + std::to_string(standing) + " cups standing with " + std::to_string(rack.hit) + " hit";
  if (rack.level < 0 || rack.level > 100) return name + " gauge at " + std::to_string(rack.level);
  return "";
}

}  // namespace

bool ParseStateLine(const std::string& line, GameView& view) {
  if (line.rfind("state ", 0) != 0) return false;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line.substr(6)));
  if (!doc.isObject()) return false;
  const QJsonObject o = doc.object();
  view.mode = o["mode"].toInt(-1);
  view.play = o["play"].toInt(-1);
  view.handler = o["handler"].toString().toStdString();
  view.current = o["current"].toString().toStdString();
  view.end = o["end"].toString().toStdString();
  view.result = o["result"].toInt();
  view.ticks = static_cast<long long>(o["ticks"].toDouble());
  view.red = Rack(o["red"].toObject());
  view.blue = Rack(o["blue"].toObject());
  return true;
}

std::string BrokenRule(const GameView& view, int mode) {
  if (view.play < 0 || view.play > 9 || view.play == 8) return "play state " + std::to_string(view.play);
  if (view.mode != mode) return "mode " + std::to_string(view.mode) + " in a game of mode " + std::to_string(mode);
  const bool handlerFits = mode == 2 ? view.handler == "versus" : view.handler == "human" || view.handler == "computer";
  if (!handlerFits) return "handler " + view.handler;
  if (view.current != "red" && view.current != "blue") return "current rack " + view.current;
  const char* redName = mode == 2 ? "Player 1" : "Player";
  const char* blueName = mode == 2 ? "Player 2" : "Opponent";
  if (view.red.name != redName || view.blue.name != blueName)
    return "racks named " + view.red.name + " and " + view.blue.name;
  if (std::string broken = RackRule(view.red, "red"); !broken.empty()) return broken;
  if (std::string broken = RackRule(view.blue, "blue"); !broken.empty()) return broken;
  if (view.play != 9 && !view.end.empty()) return "an end line before the game is over: " + view.end;
  return "";
}

std::string WrongEnd(const GameView& view, int mode) {
  const bool redEmpty = view.red.hit == 15, blueEmpty = view.blue.hit == 15;
  if (redEmpty == blueEmpty) return "game over with " + std::to_string(view.red.hit) + " and " +
                                    std::to_string(view.blue.hit) + " cups hit";
  if (view.current != (redEmpty ? "red" : "blue")) return "the emptied rack is not the one shown";
  std::string wanted;
  if (mode == 2)
    wanted = redEmpty ? "Winner: Player 1" : "Winner: Player 2";
  else
    wanted = redEmpty ? "You are victorious!  Player wins!" : "You lose... Opponent wins.";
  return view.end == wanted ? "" : "end line \"" + view.end + "\", wanted \"" + wanted + "\"";
}
