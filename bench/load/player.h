#pragma once
#include <deque>
#include <string>

#include <boost/asio/awaitable.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/asio/ssl/stream.hpp>
#include <boost/beast/websocket/stream.hpp>

#include "protocol/messages.h"

namespace load {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

class Player;

// What the players tell the run about themselves, from the run's one thread.
class PlayerEvents {
 public:
  virtual ~PlayerEvents() = default;
  // The TLS and WebSocket handshakes are done.
  virtual void Opened(Player& player) = 0;
  virtual void Received(Player& player, protocol::ServerMessage& message) = 0;
  // The connection failed or was closed, by either side; `why` says how.
  virtual void Lost(Player& player, const std::string& why) = 0;
};

// One scripted player's connection: from its own loopback address to the server, TLS
// (any certificate), the WebSocket handshake, then messages both ways.
class Player {
 public:
  Player(asio::io_context& io, asio::ssl::context& tls, PlayerEvents& events, int index, std::string name,
         asio::ip::address_v4 source);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void Start(const tcp::endpoint& server);
  void Send(const protocol::ClientMessage& message);
  // Ends the connection without a word.
  void Drop();

  const int index;
  const std::string name;
  bool open = false;
  bool welcomed = false;  // logged on

 private:
  asio::awaitable<void> Run(tcp::endpoint server);
  void WriteNext();
  void Lose(const std::string& why);

  PlayerEvents& events_;
  const asio::ip::address_v4 source_;
  boost::beast::websocket::stream<asio::ssl::stream<tcp::socket>> ws_;
  std::deque<std::string> outbox_;
  bool writing_ = false, lost_ = false;
};

// The loopback address of the `index`th player of a run whose addresses start at
// 127.`block`.0.1, `perAddress` players to an address.
asio::ip::address_v4 LoopbackSource(int block, int index, int perAddress);

}  // namespace load
