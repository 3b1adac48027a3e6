#pragma once
#include <memory>
#include <vector>

#include <boost/asio/steady_timer.hpp>

#include "table.h"

namespace load {

// The players of the scale run, two to a table: each logs on (registering his name),
// asks for his partner by name and plays his table's games at the pace the crowd sets.
class Crowd final : public PlayerEvents {
 public:
  Crowd(asio::io_context& io, asio::ssl::context& tls, tcp::endpoint server, int players, int gameThrows,
        Faults& faults);

  // Starts the next players while fewer than a hundred are in their handshakes and
  // log-ons, so that the server's queue of new connections never overflows.
  void StartSome();
  int LoggedOn() const { return loggedOn_; }
  int Playing() const;

  // Throws at `rate` a second from now on, each to the next table in turn.
  void StartThrows(int rate);
  void StopThrows();
  int Unsettled() const;
  // From here on a closed connection is what was expected.
  void Closing() { closing_ = true; }

  Latencies latencies;

 private:
  void Opened(Player& player) override;
  void Received(Player& player, protocol::ServerMessage& message) override;
  void Lost(Player& player, const std::string& why) override;
  void Pace();

  tcp::endpoint server_;
  Faults& faults_;
  std::vector<std::unique_ptr<Player>> players_;
  std::vector<Table> tables_;
  asio::steady_timer pace_;
  Time paceStart_;
  int rate_ = 0;
  long paced_ = 0;
  int started_ = 0, connecting_ = 0, loggedOn_ = 0;
  bool closing_ = false;
};

}  // namespace load
