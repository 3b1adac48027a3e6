#include "net/net_client.h"

#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "protocol/fingerprint.h"

namespace net {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Stream = websocket::stream<beast::ssl_stream<beast::tcp_stream>>;
using namespace std::chrono_literals;

constexpr auto NoThrow = asio::as_tuple(asio::use_awaitable);
constexpr auto Handshake = std::chrono::seconds(protocol::HandshakeSeconds);
constexpr auto Silence = std::chrono::seconds(protocol::SilenceSeconds);
// What a server may send in one message: far more than any of its messages needs.
constexpr std::size_t MaxServerMessage = 64 * 1024;

constexpr const char* LostText = "Lost the connection to the server.";

// A queued message: throws are told apart, because a resume sends them again itself.
struct Outgoing {
  std::string text;
  bool isThrow = false;
};

// How far an attempt to connect got.
enum class Opened { Yes, No, Question };

std::string ServerName(const ServerAddress& server) { return ServerAddressText(server); }

bool IsAddress(const std::string& host) {
  boost::system::error_code ec;
  asio::ip::make_address(host, ec);
  return !ec;
}

}  // namespace

std::string Fingerprint(const unsigned char* der, int length) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (length <= 0 || !EVP_Digest(der, static_cast<std::size_t>(length), digest, &size, EVP_sha256(), nullptr))
    return "";
  return protocol::FingerprintText(digest, size);
}

struct Client::Impl {
  explicit Impl(std::function<void()> queued) : eventQueued(std::move(queued)) {
    tls.set_default_verify_paths();
    SSL_CTX_set_min_proto_version(tls.native_handle(), TLS1_2_VERSION);
    // The chain is judged after the handshake, so that an unknown certificate can be put
    // to the player instead of failing the handshake.
    tls.set_verify_mode(asio::ssl::verify_none);
  }

  // The game's side.
  std::mutex lock;
  std::deque<Event> events;
  std::function<void()> eventQueued;

  void Push(Event event) {
    {
      std::lock_guard<std::mutex> hold(lock);
      events.push_back(std::move(event));
    }
    eventQueued();
  }
  void Fail(const std::string& text) {
    over = true;
    Event event;
    event.kind = Event::Failed;
    event.text = text;
    Push(std::move(event));
  }

  // Everything below is touched on the network thread only.
  asio::io_context io;
  asio::ssl::context tls{asio::ssl::context::tls_client};
  std::thread thread;
  tcp::resolver resolver{io};
  std::unique_ptr<Stream> stream;
  Stream* opening = nullptr;  // a connection being made, so that closing can cut it short
  asio::steady_timer wake{io};  // wakes the writer and the wait for the player's answer
  std::deque<Outgoing> outbox;
  std::deque<Outgoing> held;  // queued during a drop, sent after the resent throws
  LogOn logOn;
  std::string fingerprint;  // of the certificate of the last connection
  std::optional<bool> answer;
  std::string token;
  int seen = 0;  // throws of the game this client has, its own included
  bool inGame = false;
  std::vector<protocol::Throw> ownThrows;
  bool closing = false;
  bool over = false;  // a failure was told; nothing follows
  bool connected = false;
  bool resuming = false;  // from a drop in a game until the server says where the game stands
  bool writing = false;   // a message is on its way out

  void Wake() { wake.cancel(); }

  void Queue(const protocol::ClientMessage& message) {
    const protocol::Throw* t = std::get_if<protocol::Throw>(&message);
    if (t) {
      ownThrows.push_back(*t);
      ++seen;
    }
    Outgoing out{protocol::Encode(message), t != nullptr};
    // While coming back, a throw waits to be sent again with the others the server lacks,
    // and anything else until then: the server must hear the resume first.
    if (resuming) {
      if (!t) held.push_back(std::move(out));
      return;
    }
    outbox.push_back(std::move(out));
    Wake();
  }

  asio::awaitable<Opened> Open(std::string& why);
  asio::awaitable<void> Run();
  asio::awaitable<void> Converse();
  asio::awaitable<void> Write(Stream& s, const bool& alive);
  bool Take(const std::string& text);
  asio::awaitable<bool> Resume();
  asio::awaitable<void> Goodbye();
};

asio::awaitable<Opened> Client::Impl::Open(std::string& why) {
  const std::string host = logOn.server.host, name = ServerName(logOn.server);
  auto [resolved, endpoints] = co_await resolver.async_resolve(host, std::to_string(logOn.server.port), NoThrow);
  if (resolved) {
    why = "Could not reach the server " + name + ": " + resolved.message() + ".";
    co_return Opened::No;
  }
  auto s = std::make_unique<Stream>(io, tls);
  opening = s.get();
  struct Opening {
    Stream*& stream;
    ~Opening() { stream = nullptr; }
  } done{opening};
  beast::tcp_stream& socket = beast::get_lowest_layer(*s);
  socket.expires_after(Handshake);
  auto [connectError, endpoint] = co_await socket.async_connect(endpoints, NoThrow);
  if (connectError) {
    why = "Could not reach the server " + name + ": " + connectError.message() + ".";
    co_return Opened::No;
  }
  SSL* ssl = s->next_layer().native_handle();
  // The host name (or address) the player named is the one the certificate must carry.
  X509_VERIFY_PARAM* check = SSL_get0_param(ssl);
  if (IsAddress(host)) {
    X509_VERIFY_PARAM_set1_ip_asc(check, host.c_str());
  } else {
    SSL_set_tlsext_host_name(ssl, host.c_str());
    X509_VERIFY_PARAM_set1_host(check, host.c_str(), 0);
  }
  auto [tlsError] = co_await s->next_layer().async_handshake(asio::ssl::stream_base::client, NoThrow);
  if (tlsError) {
    why = "Could not make a secure connection to " + name + ": " + tlsError.message() + ".";
    co_return Opened::No;
  }
  X509* certificate = SSL_get0_peer_certificate(ssl);
  unsigned char* der = nullptr;
  const int length = certificate ? i2d_X509(certificate, &der) : 0;
  fingerprint = Fingerprint(der, length);
  OPENSSL_free(der);
  const bool vouched = SSL_get_verify_result(ssl) == X509_V_OK;
  if (!vouched && fingerprint != logOn.trustedFingerprint) {
    if (logOn.trustedFingerprint.empty()) co_return Opened::Question;
    why = "The server " + name + " shows another certificate than the one you trusted.\n\nTrusted: " +
          logOn.trustedFingerprint + "\nNow: " + fingerprint +
          "\n\nIf its owner did not change it, someone may be in between. The game did not log on.";
    over = true;
    co_return Opened::No;
  }
  socket.expires_after(Handshake);
  auto [wsError] = co_await s->async_handshake(host, "/", NoThrow);
  if (wsError) {
    why = "The server " + name + " did not answer as a Tumbra server: " + wsError.message() + ".";
    co_return Opened::No;
  }
  socket.expires_never();
  websocket::stream_base::timeout timeouts{Handshake, Silence, true};
  s->set_option(timeouts);
  s->read_message_max(MaxServerMessage);
  stream = std::move(s);
  co_return Opened::Yes;
}

// Takes one message from the server; false when the connection is to end.
bool Client::Impl::Take(const std::string& text) {
  protocol::ServerMessage message;
  std::string why;
  if (protocol::DecodeServer(text, message, why) != protocol::Decoded::Ok) {
    Fail("The server sent a message this game cannot read (" + why + ").");
    return false;
  }
  if (const auto* bye = std::get_if<protocol::Bye>(&message)) {
    const char* known = protocol::ByeText(bye->reason);
    Fail(*known ? known : bye->text);
    return false;
  }
  if (const auto* welcome = std::get_if<protocol::Welcome>(&message)) {
    token = welcome->resume;
  } else if (std::holds_alternative<protocol::Paired>(message)) {
    inGame = true;
    seen = 0;
    ownThrows.clear();
  } else if (const auto* rejoined = std::get_if<protocol::Rejoined>(&message)) {
    // Our throws the server never had go again, then what was queued meanwhile.
    resuming = false;
    for (const protocol::Throw& t : ownThrows)
      if (t.n >= rejoined->throws) outbox.push_back({protocol::Encode(protocol::ClientMessage(t)), true});
    outbox.insert(outbox.end(), held.begin(), held.end());
    held.clear();
    Wake();
  } else if (std::holds_alternative<protocol::Throw>(message)) {
    ++seen;
  } else if (std::holds_alternative<protocol::Ended>(message)) {
    // The game ended while we were away: what waited for it has no game to go to.
    inGame = false;
    resuming = false;
    held.clear();
  }
  Event event;
  event.message = std::move(message);
  Push(std::move(event));
  return true;
}

asio::awaitable<void> Client::Impl::Write(Stream& s, const bool& alive) {
  while (alive) {
    if (outbox.empty()) {
      wake.expires_at(asio::steady_timer::time_point::max());
      co_await wake.async_wait(NoThrow);
      continue;
    }
    const std::string text = outbox.front().text;
    outbox.pop_front();
    writing = true;
    auto [error, written] = co_await s.async_write(asio::buffer(text), NoThrow);
    writing = false;
    if (error) co_return;
  }
}

// Reads until the connection ends, while a writer sends what is queued.
asio::awaitable<void> Client::Impl::Converse() {
  Stream& s = *stream;
  auto alive = std::make_shared<bool>(true);
  auto writerDone = std::make_shared<bool>(false);
  asio::co_spawn(io, [this, &s, alive, writerDone]() -> asio::awaitable<void> {
    co_await Write(s, *alive);
    *writerDone = true;
  }, asio::detached);
  connected = true;
  for (;;) {
    beast::flat_buffer buffer;
    auto [error, size] = co_await s.async_read(buffer, NoThrow);
    if (error) {
      const websocket::close_reason reason = s.reason();
      if (!closing && !over && reason.code != websocket::close_code::none &&
          reason.code != websocket::close_code::normal && reason.code != websocket::close_code::going_away)
        Fail("The server closed the connection: " + std::string(reason.reason.c_str()) + ".");
      break;
    }
    if (!s.got_text() || !Take(beast::buffers_to_string(buffer.data()))) break;
  }
  connected = false;
  *alive = false;
  boost::system::error_code ignored;
  beast::get_lowest_layer(s).socket().close(ignored);
  while (!*writerDone) {
    Wake();
    asio::steady_timer pause(io, 1ms);
    co_await pause.async_wait(NoThrow);
  }
  stream.reset();
}

// Comes back into the game after a drop, for as long as the game is kept for us.
asio::awaitable<bool> Client::Impl::Resume() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(logOn.resumeSeconds);
  for (std::deque<Outgoing>::iterator it = outbox.begin(); it != outbox.end(); ++it)
    if (!it->isThrow) held.push_back(*it);
  outbox.clear();
  resuming = true;
  while (!closing && std::chrono::steady_clock::now() < deadline) {
    std::string why;
    if (co_await Open(why) == Opened::Yes) {
      protocol::Hello hello;
      hello.resume = token;
      hello.seen = seen;
      outbox.push_front({protocol::Encode(protocol::ClientMessage(hello)), false});
      co_return true;
    }
    if (over) co_return false;
    asio::steady_timer pause(io, 1s);
    co_await pause.async_wait(NoThrow);
  }
  co_return false;
}

asio::awaitable<void> Client::Impl::Run() {
  for (;;) {
    std::string why;
    const Opened opened = co_await Open(why);
    if (closing) co_return;
    if (opened == Opened::No) co_return Fail(why);
    if (opened == Opened::Yes) break;
    // The question may take the player a while, longer than a server waits for a
    // handshake: the line is hung up meanwhile, and a trusted certificate connects anew.
    stream.reset();
    Event question;
    question.kind = Event::Certificate;
    question.fingerprint = fingerprint;
    Push(std::move(question));
    while (!answer && !closing) {
      wake.expires_at(asio::steady_timer::time_point::max());
      co_await wake.async_wait(NoThrow);
    }
    if (closing) co_return;
    if (!*answer) co_return Fail("");
    logOn.trustedFingerprint = fingerprint;
  }
  protocol::Hello hello;
  hello.user = logOn.user;
  hello.password = logOn.password;
  outbox.push_front({protocol::Encode(protocol::ClientMessage(hello)), false});
  for (;;) {
    co_await Converse();
    if (closing || over) co_return;
    if (!inGame || token.empty()) co_return Fail(LostText);
    Event lost;
    lost.kind = Event::Lost;
    Push(std::move(lost));
    if (!co_await Resume()) {
      if (!closing && !over) Fail(LostText);
      co_return;
    }
  }
}

asio::awaitable<void> Client::Impl::Goodbye() {
  closing = true;
  Wake();
  resolver.cancel();
  if (opening) beast::get_lowest_layer(*opening).close();
  if (stream && connected) {
    // What was queued last (a leave, a cancel) goes out before the goodbye.
    const auto until = std::chrono::steady_clock::now() + 1s;
    while ((!outbox.empty() || writing) && connected && std::chrono::steady_clock::now() < until) {
      asio::steady_timer pause(io, 2ms);
      co_await pause.async_wait(NoThrow);
    }
  }
  if (stream && connected) {
    beast::get_lowest_layer(*stream).expires_after(1s);
    co_await stream->async_close(websocket::close_code::normal, NoThrow);
  }
  if (stream) {
    boost::system::error_code ignored;
    beast::get_lowest_layer(*stream).socket().close(ignored);
  }
}

Client::Client(std::function<void()> eventQueued) : impl_(std::make_unique<Impl>(std::move(eventQueued))) {}

Client::~Client() { Close(); }

void Client::Start(const LogOn& logOn) {
  if (impl_->thread.joinable()) return;
  impl_->logOn = logOn;
  asio::co_spawn(impl_->io, impl_->Run(), asio::detached);
  impl_->thread = std::thread([this] { impl_->io.run(); });
}

void Client::AnswerCertificate(bool trusted) {
  asio::post(impl_->io, [impl = impl_.get(), trusted] {
    impl->answer = trusted;
    impl->Wake();
  });
}

void Client::Send(const protocol::ClientMessage& message) {
  asio::post(impl_->io, [impl = impl_.get(), message] { impl->Queue(message); });
}

bool Client::TakeEvent(Event& out) {
  std::lock_guard<std::mutex> hold(impl_->lock);
  if (impl_->events.empty()) return false;
  out = std::move(impl_->events.front());
  impl_->events.pop_front();
  return true;
}

void Client::Drop() {
  asio::post(impl_->io, [impl = impl_.get()] {
    boost::system::error_code ignored;
    if (impl->stream) beast::get_lowest_layer(*impl->stream).socket().close(ignored);
  });
}

void Client::Close() {
  if (!impl_ || !impl_->thread.joinable()) return;
  asio::co_spawn(impl_->io, impl_->Goodbye(), asio::detached);
  impl_->thread.join();
}

}  // namespace net
