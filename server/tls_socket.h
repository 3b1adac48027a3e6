#pragma once
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

#include <boost/asio/buffer.hpp>
#include <boost/asio/compose.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/beast/core/bind_handler.hpp>
#include <boost/beast/core/role.hpp>

namespace server {

namespace net = boost::asio;

// TLS straight on a non-blocking socket, for Beast's WebSocket stream to run on. OpenSSL
// reads and writes the socket itself, so that between messages a connection holds no
// buffers of its own (and OpenSSL releases its own while idle): ten thousand idle players
// cost a few kilobytes each.
class TlsSocket {
 public:
  using executor_type = net::ip::tcp::socket::executor_type;

  TlsSocket(net::ip::tcp::socket socket, SSL_CTX& context) : socket_(std::move(socket)), ssl_(SSL_new(&context)) {
    boost::system::error_code ec;
    socket_.non_blocking(true, ec);
    if (ssl_ && (ec || SSL_set_fd(ssl_, static_cast<int>(socket_.native_handle())) != 1)) {
      SSL_free(ssl_);
      ssl_ = nullptr;
    }
  }
  ~TlsSocket() { SSL_free(ssl_); }
  TlsSocket(const TlsSocket&) = delete;
  TlsSocket& operator=(const TlsSocket&) = delete;

  executor_type get_executor() noexcept { return socket_.get_executor(); }
  bool Ready() const { return ssl_ != nullptr; }

  // The handlers of these take (error_code, bytes).
  template <class Token>
  auto async_handshake(Token&& token) {
    return Run([](SSL* ssl, std::size_t&) { return SSL_accept(ssl); }, std::forward<Token>(token));
  }

  template <class Buffers, class Token>
  auto async_read_some(const Buffers& buffers, Token&& token) {
    const net::mutable_buffer buffer = First<net::mutable_buffer>(buffers);
    return Run(
        [this, buffer](SSL* ssl, std::size_t& done) {
          if (buffer.size() == 0) return 1;
          if (readsLeft_ == 0) return Exhausted;
          const int result = SSL_read_ex(ssl, buffer.data(), std::min(buffer.size(), readsLeft_), &done);
          if (result > 0 && readsLeft_ != SIZE_MAX) readsLeft_ -= done;
          return result;
        },
        std::forward<Token>(token));
  }

  // The pieces of a WebSocket frame are written as one TLS record.
  template <class Buffers, class Token>
  auto async_write_some(const Buffers& buffers, Token&& token) {
    std::string data(std::min<std::size_t>(net::buffer_size(buffers), MaxWrite), '\0');
    net::buffer_copy(net::buffer(data), buffers);
    return Run(
        [data = std::move(data)](SSL* ssl, std::size_t& done) {
          return data.empty() ? 1 : SSL_write_ex(ssl, data.data(), data.size(), &done);
        },
        std::forward<Token>(token));
  }

  // From here on at most `bytes` more are read, then reading ends as if the peer had
  // closed: a connection being closed for what it sent has nothing left worth reading.
  void LimitReads(std::size_t bytes) { readsLeft_ = std::min(readsLeft_, bytes); }

  // Says goodbye to TLS when it can, then closes the socket.
  void Close() {
    if (ssl_ && !broken_ && SSL_is_init_finished(ssl_)) {
      ERR_clear_error();
      SSL_shutdown(ssl_);
    }
    Abort();
  }
  void Abort() {
    boost::system::error_code ec;
    socket_.close(ec);
  }

  friend void beast_close_socket(TlsSocket& socket) { socket.Abort(); }

  template <class Handler>
  friend void async_teardown(boost::beast::role_type, TlsSocket& socket, Handler&& handler) {
    socket.Close();
    net::post(socket.get_executor(),
              boost::beast::bind_front_handler(std::forward<Handler>(handler), boost::system::error_code{}));
  }

 private:
  static constexpr int Exhausted = INT_MIN;
  static constexpr std::size_t MaxWrite = 16 * 1024;

  template <class Buffer, class Buffers>
  static Buffer First(const Buffers& buffers) {
    for (auto it = net::buffer_sequence_begin(buffers); it != net::buffer_sequence_end(buffers); ++it)
      if (Buffer(*it).size() > 0) return Buffer(*it);
    return Buffer();
  }

  // Runs one OpenSSL call again and again, waiting on the socket for whatever OpenSSL
  // wants first, until it is done or fails.
  template <class Call>
  struct Op {
    TlsSocket& s;
    Call call;
    bool started = false;

    template <class Self>
    void operator()(Self& self, boost::system::error_code ec = {}) {
      // Never finished inside the call that began it, as asio's handlers expect.
      if (!started) {
        started = true;
        return net::post(s.socket_.get_executor(), std::move(self));
      }
      if (!ec && (!s.ssl_ || !s.socket_.is_open())) ec = net::error::bad_descriptor;
      if (ec) return self.complete(ec, 0);
      std::size_t done = 0;
      ERR_clear_error();
      const int result = call(s.ssl_, done);
      if (result > 0) return self.complete({}, done);
      if (result == Exhausted) return self.complete(net::error::eof, 0);
      switch (SSL_get_error(s.ssl_, result)) {
        case SSL_ERROR_WANT_READ:
          return s.socket_.async_wait(net::socket_base::wait_read, std::move(self));
        case SSL_ERROR_WANT_WRITE:
          return s.socket_.async_wait(net::socket_base::wait_write, std::move(self));
        case SSL_ERROR_ZERO_RETURN:
          return self.complete(net::error::eof, 0);
        default:
          s.broken_ = true;
          return self.complete(net::error::connection_reset, 0);
      }
    }
  };

  template <class Call, class Token>
  auto Run(Call call, Token&& token) {
    return net::async_compose<Token, void(boost::system::error_code, std::size_t)>(
        Op<Call>{*this, std::move(call)}, token, socket_);
  }

  net::ip::tcp::socket socket_;
  SSL* ssl_;
  std::size_t readsLeft_ = SIZE_MAX;
  bool broken_ = false;
};

}  // namespace server
