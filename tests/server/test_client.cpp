#include "test_client.h"

#include <openssl/sha.h>
#include <sys/socket.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <nlohmann/json.hpp>

#include "protocol/fingerprint.h"

namespace net = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;

struct TestClient::Impl {
  net::io_context io;
  net::ssl::context tls{net::ssl::context::tls_client};
  websocket::stream<net::ssl::stream<net::ip::tcp::socket>> ws{io, tls};
};

TestClient::TestClient(int port, const std::string& path) : impl_(std::make_unique<Impl>()) {
  auto& socket = beast::get_lowest_layer(impl_->ws);
  beast::error_code ec;
  socket.connect({net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)}, ec);
  beast::error_code ignored;
  socket.set_option(net::ip::tcp::no_delay(true), ignored);
  // Every read waits five seconds at most, so a test fails rather than hangs.
  const timeval limit{5, 0};
  ::setsockopt(socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  if (!ec) impl_->ws.next_layer().handshake(net::ssl::stream_base::client, ec);
  if (ec) return;
  X509* cert = SSL_get1_peer_certificate(impl_->ws.next_layer().native_handle());
  unsigned char digest[SHA256_DIGEST_LENGTH];
  unsigned size = 0;
  if (cert && X509_digest(cert, EVP_sha256(), digest, &size) == 1)
    fingerprint = protocol::FingerprintText(digest, size);
  X509_free(cert);
  websocket::response_type response;
  impl_->ws.handshake(response, "127.0.0.1", path, ec);
  httpStatus = static_cast<int>(response.result_int());
  open = !ec;
}

TestClient::~TestClient() = default;

void TestClient::Send(const std::string& text, bool binary) {
  beast::error_code ec;
  impl_->ws.binary(binary);
  impl_->ws.write(net::buffer(text), ec);
}

std::string TestClient::Next() {
  // Once the server has gone quiet, a test fails at once rather than wait again and again.
  if (silent_) return "silence";
  beast::flat_buffer buffer;
  beast::error_code ec;
  impl_->ws.read(buffer, ec);
  // Whatever the TLS goodbye did after it, a close frame is what the server said last.
  const websocket::close_reason& closed = impl_->ws.reason();
  if (ec && closed.code != websocket::close_code::none)
    return "closed " + std::to_string(closed.code) + " " + std::string(closed.reason.data(), closed.reason.size());
  if (ec) return silent_ = true, "silence";
  return beast::buffers_to_string(buffer.data());
}

std::string TestClient::Next(const std::string& type) {
  for (;;) {
    const std::string message = Next();
    if (message.rfind("{", 0) != 0 || Field(message, "type") == type) return message;
  }
}

void TestClient::Drop() { beast::get_lowest_layer(impl_->ws).close(); }

std::string TestClient::LogOn(const std::string& user, const std::string& password) {
  Send(R"({"type":"hello","version":1,"user":")" + user + R"(","password":")" + password + R"("})");
  return Next();
}

void TestClient::SpeakPlainly(int port, const std::string& text) {
  net::io_context io;
  net::ip::tcp::socket socket(io);
  beast::error_code ec;
  socket.connect({net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)}, ec);
  net::write(socket, net::buffer(text), ec);
  char rest[256];
  while (!ec) socket.read_some(net::buffer(rest), ec);
}

std::string TestClient::Field(const std::string& message, const std::string& name) {
  const auto json = nlohmann::json::parse(message, nullptr, false);
  if (!json.is_object() || !json.contains(name)) return "";
  return json[name].is_string() ? json[name].get<std::string>() : json[name].dump();
}
