// The server's lobby under fuzzing: Ann and Bob logged on and paired, then every line of
// the input is a step. Its first byte says which: with the top bit set, a tick of the
// clock that many seconds later; else by its remainder of four, the rest of the line is a
// message from Ann's connection (0) or Bob's (1), or a new connection opens with it (2),
// or the newest connection drops (3). Every password is right; tokens are f's and then digits.
// Whatever comes, the lobby sends only what a game can read, closes with the protocol's
// codes and short reasons, and never speaks to a connection it has closed.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "server/lobby.h"

using namespace server;

namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

struct Io : LobbyIo {
  std::vector<LogonRequest> checks;
  std::set<ConnectionId> closed;
  int tokens = 0;

  void Send(ConnectionId id, const protocol::ServerMessage& message) override {
    if (closed.count(id)) Finding("the lobby spoke to connection " + std::to_string(id) + " after closing it");
    protocol::ServerMessage back;
    std::string why;
    const std::string text = protocol::Encode(message);
    if (protocol::DecodeServer(text, back, why) != protocol::Decoded::Ok) Finding("sent " + text + ": " + why);
  }
  void Close(ConnectionId id, int code, const std::string& reason) override {
    if (!closed.insert(id).second) Finding("connection " + std::to_string(id) + " closed twice");
    const bool known = code == 1000 || code == 1001 || code == 1008 || code == 1009 || code == 1011;
    if (!known) Finding("close code " + std::to_string(code));
    if (reason.size() >= 100) Finding("a close reason of " + std::to_string(reason.size()) + " bytes");
  }
  void CheckPassword(LogonRequest request) override { checks.push_back(std::move(request)); }
  void Record(const std::string&, const std::string&) override {}
  std::string NewToken() override {
    const std::string n = std::to_string(++tokens);
    return std::string(64 - n.size(), 'f') + n;
  }
};

void Answer(Io& io, Lobby& lobby, Time now) {
  while (!io.checks.empty()) {
    LogonAnswer answer{std::move(io.checks.back()), LogonOutcome::LoggedOn, "", 0, 0};
    io.checks.pop_back();
    answer.user = answer.request.user;
    lobby.Answered(std::move(answer), now);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Io io;
  LobbySettings settings;
  settings.seed = 1;
  Lobby lobby(io, settings);
  Time now{};
  const char* hellos[] = {R"({"type":"hello","version":1,"user":"Ann","password":"a"})",
                          R"({"type":"hello","version":1,"user":"Bob","password":"b"})"};
  for (ConnectionId id : {1, 2}) lobby.Opened(id, "10.0.0.1", now), lobby.Received(id, hellos[id - 1], now);
  Answer(io, lobby, now);
  lobby.Received(1, R"({"type":"play","opponent":"Bob"})", now);
  lobby.Received(2, R"({"type":"play","opponent":"Ann"})", now);
  ConnectionId newest = 2;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty()) continue;
    const auto step = static_cast<std::uint8_t>(line[0]);
    if (step & 0x80) {
      now += Seconds(step & 0x7f);
      lobby.Tick(now);
    } else if (step % 4 < 2) {
      lobby.Received(1 + step % 4, line.substr(1), now);
    } else if (step % 4 == 2) {
      lobby.Opened(++newest, "10.0.0.2", now);
      lobby.Received(newest, line.substr(1), now);
    } else if (!io.closed.count(newest)) {
      io.closed.insert(newest);
      lobby.Closed(newest, now);
    }
    Answer(io, lobby, now);
  }
  return 0;
}
