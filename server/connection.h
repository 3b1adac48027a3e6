#pragma once
#include <memory>
#include <string>
#include <string_view>

#include <boost/asio/ip/tcp.hpp>

#include "server/clock.h"

struct ssl_ctx_st;

namespace server {

// What a connection tells the server about itself: always from a handler of its own,
// never from inside a call the server made to it.
class ConnectionEvents {
 public:
  virtual ~ConnectionEvents() = default;
  virtual void Opened(ConnectionId id) = 0;
  virtual void Received(ConnectionId id, std::string_view text) = 0;
  virtual void Finished(ConnectionId id, bool wasOpen) = 0;
};

// One client: TLS, the WebSocket handshake on the path "/", then one text message after
// the other. The limits that belong to the connection itself are held here: the size of a
// message, binary frames, the handshake time, pings and silence, and a client that sends
// faster than any game would.
class Connection {
 public:
  virtual ~Connection() = default;
  static std::shared_ptr<Connection> Start(boost::asio::ip::tcp::socket socket, ssl_ctx_st& tls, ConnectionId id,
                                           ConnectionEvents& events);
  virtual void Send(std::string text) = 0;
  // Closes with this code and reason once what was sent before has gone out.
  virtual void Close(int code, const std::string& reason) = 0;
  // Ends the connection at once, without a word.
  virtual void Abort() = 0;
  // Called about once a second: pings, the time limits, and the budget of messages.
  virtual void Sweep(Time now) = 0;
};

}  // namespace server
