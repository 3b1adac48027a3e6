#include "player.h"

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core/buffers_to_string.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/websocket/ssl.hpp>

namespace load {

namespace {

namespace beast = boost::beast;
namespace websocket = beast::websocket;
constexpr auto NoThrow = asio::as_tuple(asio::use_awaitable);
// Addresses whose last byte is 0 or 255 are left out, as a network's own would be.
constexpr int HostsPerBlock = 250;

}  // namespace

asio::ip::address_v4 LoopbackSource(int block, int index, int perAddress) {
  const int address = index / perAddress;
  return asio::ip::make_address_v4(asio::ip::address_v4::bytes_type{
      127, static_cast<unsigned char>(block), static_cast<unsigned char>(address / HostsPerBlock),
      static_cast<unsigned char>(1 + address % HostsPerBlock)});
}

Player::Player(asio::io_context& io, asio::ssl::context& tls, PlayerEvents& events, int index, std::string name,
               asio::ip::address_v4 source)
    : index(index), name(std::move(name)), events_(events), source_(source), ws_(io, tls) {}

void Player::Start(const tcp::endpoint& server) { asio::co_spawn(ws_.get_executor(), Run(server), asio::detached); }

asio::awaitable<void> Player::Run(tcp::endpoint server) {
  tcp::socket& socket = beast::get_lowest_layer(ws_);
  boost::system::error_code ec;
  socket.open(tcp::v4(), ec);
  if (!ec) socket.bind({source_, 0}, ec);
  if (ec) co_return Lose("bind " + source_.to_string() + ": " + ec.message());
  if (auto [e] = co_await socket.async_connect(server, NoThrow); e) co_return Lose("connect: " + e.message());
  socket.set_option(tcp::no_delay(true), ec);
  if (auto [e] = co_await ws_.next_layer().async_handshake(asio::ssl::stream_base::client, NoThrow); e)
    co_return Lose("TLS: " + e.message());
  if (auto [e] = co_await ws_.async_handshake("127.0.0.1", "/", NoThrow); e)
    co_return Lose("WebSocket handshake: " + e.message());
  open = true;
  events_.Opened(*this);
  WriteNext();
  beast::flat_buffer buffer;
  for (;;) {
    auto [e, bytes] = co_await ws_.async_read(buffer, NoThrow);
    if (e == websocket::error::closed)
      co_return Lose("closed " + std::to_string(ws_.reason().code) + " " + std::string(ws_.reason().reason.data(), ws_.reason().reason.size()));
    if (e) co_return Lose(e.message());
    protocol::ServerMessage message;
    std::string why;
    if (protocol::DecodeServer(beast::buffers_to_string(buffer.data()), message, why) != protocol::Decoded::Ok)
      co_return Lose("a message the protocol does not allow: " + why);
    buffer.consume(buffer.size());
    events_.Received(*this, message);
    if (lost_) co_return;
  }
}

// Messages sent before the handshakes are done wait for them.
void Player::Send(const protocol::ClientMessage& message) {
  if (lost_) return;
  outbox_.push_back(protocol::Encode(message));
  if (open) WriteNext();
}

// One write at a time: the WebSocket stream takes no second before the first is done.
void Player::WriteNext() {
  if (writing_ || outbox_.empty() || lost_) return;
  writing_ = true;
  ws_.async_write(asio::buffer(outbox_.front()), [this](boost::system::error_code ec, std::size_t) {
    writing_ = false;
    if (ec) return Lose("send: " + ec.message());
    outbox_.pop_front();
    WriteNext();
  });
}

void Player::Drop() {
  lost_ = true;
  open = false;
  boost::system::error_code ignored;
  beast::get_lowest_layer(ws_).close(ignored);
}

void Player::Lose(const std::string& why) {
  if (lost_) return;
  Drop();
  events_.Lost(*this, why);
}

}  // namespace load
