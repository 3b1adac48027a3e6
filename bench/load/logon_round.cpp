#include "logon_round.h"

namespace load {

namespace {

// One player to an address: no address's limits hold a log-on back.
constexpr int AddressBlock = 2;
constexpr const char* Password = "logon";

}  // namespace

LogonRound::LogonRound(asio::io_context& io, asio::ssl::context& tls, int players, bool registering, Faults& faults)
    : registering_(registering), faults_(faults) {
  for (int i = 0; i < players; ++i)
    players_.push_back(
        std::make_unique<Player>(io, tls, *this, i, "logon" + std::to_string(i), LoopbackSource(AddressBlock, i, 1)));
}

void LogonRound::Start(const tcp::endpoint& server) {
  for (const auto& player : players_) player->Start(server);
}

void LogonRound::Opened(Player& player) {
  player.Send(protocol::Hello{protocol::Version, player.name, Password, "", 0});
}

void LogonRound::Received(Player& player, protocol::ServerMessage& message) {
  const auto* welcome = std::get_if<protocol::Welcome>(&message);
  if (!welcome || welcome->registered != registering_)
    faults_.Add(player.name + " was not welcomed as " + (registering_ ? "a new name" : "an account"));
  else
    ++welcomed_;
  lastWelcome = Clock::now();
  player.welcomed = true;
  ++finished_;
  player.Drop();
}

void LogonRound::Lost(Player& player, const std::string& why) {
  if (player.welcomed) return;
  faults_.Add(player.name + ": " + why);
  ++finished_;
}

}  // namespace load
