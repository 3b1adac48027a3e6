#include "server/network.h"

#include <csignal>
#include <cstdio>
#include <unordered_map>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ip/v6_only.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>

#include "server/connection.h"
#include "server/lobby.h"
#include "server/log.h"
#include "server/logon.h"
#include "server/worker_pool.h"

namespace server {

namespace {

namespace net = boost::asio;
using net::ip::tcp;

constexpr std::chrono::milliseconds AcceptPause{100};
constexpr Seconds SweepEvery{1};
constexpr Seconds ShutdownGrace{3};

// The address limits count per address, so an IPv4 client counts the same whichever way
// the socket saw it.
std::string AddressText(const net::ip::address& address) {
  if (address.is_v6() && address.to_v6().is_v4_mapped())
    return net::ip::make_address_v4(net::ip::v4_mapped, address.to_v6()).to_string();
  return address.to_string();
}

class Network final : public LobbyIo, public ConnectionEvents {
 public:
  Network(const ServerOptions& options, ssl_ctx_st& tls, WorkerPool& pool)
      : options_(options),
        tls_(tls),
        pool_(pool),
        lobby_(*this, {options.registration, options.maxPerAddress, Seconds(options.turnSeconds),
                       Seconds(options.resumeSeconds)}) {
    signals_.async_wait([this](boost::system::error_code ec, int) {
      if (!ec) Stop();
    });
  }

  int Listen() {
    boost::system::error_code ec;
    tcp::endpoint endpoint(net::ip::make_address(options_.listen.empty() ? "::" : options_.listen, ec),
                           static_cast<unsigned short>(options_.port));
    if (ec) return Log("cannot listen on " + options_.listen + ": " + ec.message()), 0;
    if (!Bind(endpoint, ec) && options_.listen.empty()) {
      // No IPv6 on this machine: every IPv4 address, then.
      acceptor_.close();
      endpoint = tcp::endpoint(tcp::v4(), endpoint.port());
      Bind(endpoint, ec);
    }
    if (ec) return Log("cannot listen on port " + std::to_string(options_.port) + ": " + ec.message()), 0;
    const tcp::endpoint bound = acceptor_.local_endpoint(ec);
    const std::string host = bound.address().is_v6() ? "[" + bound.address().to_string() + "]"
                                                     : bound.address().to_string();
    std::printf("tumbra-server: listening on %s:%u\n", host.c_str(), bound.port());
    std::fflush(stdout);
    return 1;
  }

  void Run() {
    Accept();
    Sweep();
    io_.run();
  }

 private:
  bool Bind(const tcp::endpoint& endpoint, boost::system::error_code& ec) {
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec && endpoint.address().is_v6()) acceptor_.set_option(net::ip::v6_only(false), ec);
    if (!ec) acceptor_.set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec) acceptor_.bind(endpoint, ec);
    if (!ec) acceptor_.listen(net::socket_base::max_listen_connections, ec);
    return !ec;
  }

  void Accept() {
    acceptor_.async_accept([this](boost::system::error_code ec, tcp::socket socket) {
      if (stopping_) return;
      if (ec) {
        // Out of file descriptors or the like: try again in a moment rather than spin.
        Log("accepting: " + ec.message());
        acceptPause_.expires_after(AcceptPause);
        return acceptPause_.async_wait([this](boost::system::error_code ec) {
          if (!ec) Accept();
        });
      }
      Admit(std::move(socket));
      Accept();
    });
  }

  void Admit(tcp::socket socket) {
    boost::system::error_code ec;
    const tcp::endpoint remote = socket.remote_endpoint(ec);
    if (ec) return;
    // A throw goes out the moment it is relayed.
    socket.set_option(tcp::no_delay(true), ec);
    const ConnectionId id = next_++;
    slots_.emplace(id, Slot{Connection::Start(std::move(socket), tls_, id, *this), AddressText(remote.address())});
  }

  void Sweep() {
    sweep_.expires_after(SweepEvery);
    sweep_.async_wait([this](boost::system::error_code ec) {
      if (ec || stopping_) return;
      const Time now = Clock::now();
      for (auto& [id, slot] : slots_) slot.connection->Sweep(now);
      lobby_.Tick(now);
      Sweep();
    });
  }

  void Stop() {
    Log("going down");
    stopping_ = true;
    boost::system::error_code ec;
    acceptor_.close(ec);
    lobby_.Shutdown();
    // Those still in their handshakes are simply closed.
    for (auto& [id, slot] : slots_) slot.connection->Close(CloseCode::GoingAway, protocol::ByeReason::Shutdown);
    if (slots_.empty()) return io_.stop();
    grace_.expires_after(ShutdownGrace);
    grace_.async_wait([this](boost::system::error_code ec) {
      if (!ec) io_.stop();
    });
  }

  Connection* Find(ConnectionId id) {
    const auto it = slots_.find(id);
    return it == slots_.end() ? nullptr : it->second.connection.get();
  }

  // The lobby's world.
  void Send(ConnectionId id, const protocol::ServerMessage& message) override {
    if (Connection* c = Find(id)) c->Send(protocol::Encode(message));
  }
  void Close(ConnectionId id, int code, const std::string& reason) override {
    if (Connection* c = Find(id)) c->Close(code, reason);
  }
  void CheckPassword(LogonRequest request) override {
    pool_.Submit(
        [this, request = std::move(request)](AccountStore& store) mutable {
          LogonAnswer answer = CheckLogon(store, std::move(request), options_.hashCost);
          if (answer.outcome == LogonOutcome::Registered) Log("registered " + answer.user);
          if (answer.outcome == LogonOutcome::Failed) Log("account database: " + store.Error());
          net::post(io_, [this, answer = std::move(answer)]() mutable {
            lobby_.Answered(std::move(answer), Clock::now());
          });
        },
        false);
  }
  void Record(const std::string& winner, const std::string& loser) override {
    pool_.Submit(
        [winner, loser](AccountStore& store) {
          if (!store.Record(winner, loser)) Log("could not record a game: " + store.Error());
        },
        true);
  }
  std::string NewToken() override { return RandomHex(protocol::ResumeTokenDigits / 2); }

  // The connections' news.
  void Opened(ConnectionId id) override { lobby_.Opened(id, slots_.at(id).address, Clock::now()); }
  void Received(ConnectionId id, std::string_view text) override { lobby_.Received(id, text, Clock::now()); }
  void Finished(ConnectionId id, bool wasOpen) override {
    slots_.erase(id);
    if (wasOpen && !stopping_) lobby_.Closed(id, Clock::now());
    if (stopping_ && slots_.empty()) io_.stop();
  }

  struct Slot {
    std::shared_ptr<Connection> connection;
    std::string address;
  };

  const ServerOptions& options_;
  ssl_ctx_st& tls_;
  WorkerPool& pool_;
  net::io_context io_{1};
  tcp::acceptor acceptor_{io_};
  net::steady_timer sweep_{io_}, acceptPause_{io_}, grace_{io_};
  net::signal_set signals_{io_, SIGINT, SIGTERM};
  Lobby lobby_;
  std::unordered_map<ConnectionId, Slot> slots_;
  ConnectionId next_ = 1;
  bool stopping_ = false;
};

}  // namespace

int RunNetwork(const ServerOptions& options, ssl_ctx_st& tls, WorkerPool& pool) {
  Network network(options, tls, pool);
  if (!network.Listen()) return 1;
  network.Run();
  // Results still waiting reach the database; log-ons still waiting are dropped.
  pool.Stop();
  Log("stopped");
  return 0;
}

}  // namespace server
