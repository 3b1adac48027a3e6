#include "test_client.h"

#include <sys/socket.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <nlohmann/json.hpp>

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
  // Every read waits five seconds at most, so a test fails rather than hangs.
  const timeval limit{5, 0};
  ::setsockopt(socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  if (!ec) impl_->ws.next_layer().handshake(net::ssl::stream_base::client, ec);
  websocket::response_type response;
  if (!ec) impl_->ws.handshake(response, "127.0.0.1", path, ec);
  httpStatus = static_cast<int>(response.result_int());
}

TestClient::~TestClient() = default;

void TestClient::Send(const std::string& text, bool binary) {
  beast::error_code ec;
  impl_->ws.binary(binary);
  impl_->ws.write(net::buffer(text), ec);
}

std::string TestClient::Next() {
  beast::flat_buffer buffer;
  beast::error_code ec;
  impl_->ws.read(buffer, ec);
  // Whatever the TLS goodbye did after it, a close frame is what the server said last.
  const websocket::close_reason& closed = impl_->ws.reason();
  if (ec && closed.code != websocket::close_code::none)
    return "closed " + std::to_string(closed.code) + " " + std::string(closed.reason.data(), closed.reason.size());
  if (ec) return "silence";
  return beast::buffers_to_string(buffer.data());
}

std::string TestClient::LogOn(const std::string& user, const std::string& password) {
  Send(R"({"type":"hello","version":1,"user":")" + user + R"(","password":")" + password + R"("})");
  return Next();
}

std::string TestClient::Field(const std::string& message, const std::string& name) {
  const auto json = nlohmann::json::parse(message, nullptr, false);
  if (!json.is_object() || !json.contains(name)) return "";
  return json[name].is_string() ? json[name].get<std::string>() : json[name].dump();
}
