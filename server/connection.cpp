#include "server/connection.h"

#include <deque>
#include <optional>

#include <boost/beast/core/buffers_to_string.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>
#include <boost/beast/websocket/stream.hpp>

#include "protocol/limits.h"
#include "server/lobby.h"
#include "server/tls_socket.h"

namespace server {

namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;

constexpr Seconds HandshakeLimit{protocol::HandshakeSeconds};
constexpr Seconds PingEvery{protocol::PingSeconds};
constexpr Seconds SilenceLimit{protocol::SilenceSeconds};
// A game sends a message every few seconds, each in one read; a client that has the
// server read more often than this in a second (tiny frames, say) waits for the next.
constexpr int ReadsPerSecond = 20;
// Pings and pongs beyond this in a second are a flood, and end the connection.
constexpr int ControlFramesPerSecond = 50;
// Messages to a client that has stopped reading pile up to this, then he is let go.
constexpr std::size_t MaxQueuedBytes = 64 * 1024;
// What is still read from a connection being closed, while its close frame is awaited.
constexpr std::size_t ClosingReadBytes = 16 * 1024;
constexpr std::size_t MaxRequestHeaderBytes = 4096;

class WsConnection final : public Connection, public std::enable_shared_from_this<WsConnection> {
 public:
  WsConnection(net::ip::tcp::socket socket, SSL_CTX& tls, ConnectionId id, ConnectionEvents& events)
      : ws_(std::move(socket), tls), id_(id), events_(events) {}

  void Begin() {
    if (!ws_.next_layer().Ready()) return Done();
    ws_.next_layer().async_handshake(
        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnHandshake(ec); });
  }

  void Send(std::string text) override {
    if (!open_ || closing_ || finished_) return;
    queuedBytes_ += text.size();
    if (queuedBytes_ > MaxQueuedBytes) return Abort();
    outbox_.push_back(std::move(text));
    if (!writing_) WriteNext();
  }

  void Close(int code, const std::string& reason) override {
    if (!open_) return Abort();
    if (closing_ || finished_) return;
    closing_ = true;
    closingSince_ = Clock::now();
    closeReason_ = websocket::close_reason(static_cast<websocket::close_code>(code), reason);
    ws_.next_layer().LimitReads(ClosingReadBytes);
    if (!writing_) WriteNext();
  }

  void Abort() override {
    ws_.next_layer().Abort();
    Done();
  }

  void Sweep(Time now) override {
    if (finished_) return;
    if (!open_) {
      if (now - accepted_ >= HandshakeLimit) Abort();
      return;
    }
    if (now - heard_ >= SilenceLimit || controlFrames_ > ControlFramesPerSecond ||
        (closing_ && now - closingSince_ >= HandshakeLimit))
      return Abort();
    reads_ = controlFrames_ = 0;
    if (paused_) {
      paused_ = false;
      Read();
    }
    if (!closing_ && !pinging_ && now - pinged_ >= PingEvery) {
      pinging_ = true;
      pinged_ = now;
      ws_.async_ping({}, [self = shared_from_this()](beast::error_code) { self->pinging_ = false; });
    }
  }

 private:
  void OnHandshake(beast::error_code ec) {
    if (ec || finished_) return Done();
    request_.emplace();
    request_->header_limit(MaxRequestHeaderBytes);
    http::async_read(ws_.next_layer(), buffer_, *request_,
                     [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnRequest(ec); });
  }

  void OnRequest(beast::error_code ec) {
    if (ec || finished_) return Done();
    const http::request<http::empty_body> request = request_->release();
    request_.reset();
    if (request.target() != "/") return NotFound(request.version());
    // The size limit is the server's own (read below), so that the close says why.
    ws_.read_message_max(0);
    ws_.control_callback([this](websocket::frame_type, beast::string_view) {
      heard_ = Clock::now();
      ++controlFrames_;
    });
    ws_.async_accept(request, [self = shared_from_this()](beast::error_code ec) { self->OnAccept(ec); });
  }

  void NotFound(unsigned version) {
    auto response = std::make_shared<http::response<http::string_body>>(http::status::not_found, version);
    response->set(http::field::content_type, "text/plain");
    response->body() = "Not found\n";
    response->keep_alive(false);
    response->prepare_payload();
    http::async_write(ws_.next_layer(), *response,
                      [self = shared_from_this(), response](beast::error_code, std::size_t) {
                        self->ws_.next_layer().Close();
                        self->Done();
                      });
  }

  void OnAccept(beast::error_code ec) {
    if (ec || finished_) return Done();
    open_ = true;
    heard_ = pinged_ = Clock::now();
    buffer_ = beast::flat_buffer();
    events_.Opened(id_);
    Read();
  }

  void Read() {
    if (finished_) return;
    const std::size_t room = protocol::MaxMessageBytes + 1 - std::min(buffer_.size(), protocol::MaxMessageBytes);
    ws_.async_read_some(buffer_, room,
                        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnRead(ec); });
  }

  void OnRead(beast::error_code ec) {
    if (ec || finished_) return Done();
    heard_ = Clock::now();
    // While closing, whatever comes is read only to reach the client's close frame.
    if (closing_) {
      buffer_.consume(buffer_.size());
      return Read();
    }
    if (ws_.got_binary()) return CloseAndRead(CloseCode::Breach, "binary frame");
    if (buffer_.size() > protocol::MaxMessageBytes) return CloseAndRead(CloseCode::TooBig, "too big");
    if (ws_.is_message_done()) {
      const std::string text = beast::buffers_to_string(buffer_.data());
      buffer_ = beast::flat_buffer();
      events_.Received(id_, text);
    }
    if (++reads_ >= ReadsPerSecond) {
      paused_ = true;  // the sweep reads on
      return;
    }
    Read();
  }

  void CloseAndRead(int code, const char* reason) {
    Close(code, reason);
    Read();
  }

  void WriteNext() {
    if (finished_) return;
    if (outbox_.empty()) {
      if (closing_) {
        ws_.async_close(closeReason_, [self = shared_from_this()](beast::error_code) {
          if (self->paused_) self->Done();
        });
      }
      return;
    }
    writing_ = true;
    ws_.text(true);
    ws_.async_write(net::buffer(outbox_.front()), [self = shared_from_this()](beast::error_code ec, std::size_t) {
      self->writing_ = false;
      if (ec) return self->Abort();
      self->queuedBytes_ -= self->outbox_.front().size();
      self->outbox_.pop_front();
      self->WriteNext();
    });
  }

  // Tells the server once, and never from inside one of its own calls.
  void Done() {
    if (finished_) return;
    finished_ = true;
    net::post(ws_.get_executor(), [self = shared_from_this()] { self->events_.Finished(self->id_, self->open_); });
  }

  websocket::stream<TlsSocket> ws_;
  const ConnectionId id_;
  ConnectionEvents& events_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::empty_body>> request_;
  std::deque<std::string> outbox_;
  std::size_t queuedBytes_ = 0;
  websocket::close_reason closeReason_;
  const Time accepted_ = Clock::now();
  Time heard_, pinged_, closingSince_;
  int reads_ = 0, controlFrames_ = 0;
  bool open_ = false, closing_ = false, writing_ = false, pinging_ = false, paused_ = false, finished_ = false;
};

}  // namespace

std::shared_ptr<Connection> Connection::Start(net::ip::tcp::socket socket, SSL_CTX& tls, ConnectionId id,
                                              ConnectionEvents& events) {
  auto connection = std::make_shared<WsConnection>(std::move(socket), tls, id, events);
  connection->Begin();
  return connection;
}

}  // namespace server
