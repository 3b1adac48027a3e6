#pragma once
#include <memory>
#include <vector>

#include "faults.h"
#include "table.h"
#include "player.h"

namespace load {

// Players who all connect at once, log on with a password and leave: once to register
// their names, once more to log on to the accounts so made.
class LogonRound final : public PlayerEvents {
 public:
  LogonRound(asio::io_context& io, asio::ssl::context& tls, int players, bool registering, Faults& faults);
  void Start(const tcp::endpoint& server);
  // Every player has had his welcome or failed.
  bool Done() const { return finished_ == static_cast<int>(players_.size()); }
  int Welcomed() const { return welcomed_; }
  Time lastWelcome;

 private:
  void Opened(Player& player) override;
  void Received(Player& player, protocol::ServerMessage& message) override;
  void Lost(Player& player, const std::string& why) override;

  const bool registering_;
  Faults& faults_;
  std::vector<std::unique_ptr<Player>> players_;
  int welcomed_ = 0, finished_ = 0;
};

}  // namespace load
