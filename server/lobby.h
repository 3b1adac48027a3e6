#pragma once
#include <list>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>

#include "protocol/messages.h"
#include "server/address_book.h"
#include "server/clock.h"
#include "server/game.h"

namespace server {

// The WebSocket close codes the server closes with.
namespace CloseCode {
constexpr int Normal = 1000;     // after a bye
constexpr int GoingAway = 1001;  // the server is going down
constexpr int Breach = 1008;     // the client broke the protocol
constexpr int TooBig = 1009;     // a message over the limit
constexpr int ServerError = 1011;
}  // namespace CloseCode

struct LobbySettings {
  bool registration = true;
  int maxPerAddress = protocol::MaxConnectionsPerAddress;
  Seconds turnLimit{protocol::TurnSeconds};
  Seconds resumeWindow{protocol::ResumeSeconds};
  unsigned seed = 0;  // of the coin that picks who throws first; 0: one of the system's
};

// A log-on that needs the account database and a password hash, which the lobby hands off
// the network thread and gets answered later.
struct LogonRequest {
  ConnectionId connection = 0;
  std::string address;
  std::string user, password;
  bool mayRegister = false;  // an unknown name may be registered with this password
};

enum class LogonOutcome { LoggedOn, Registered, WrongPassword, UnknownName, Failed };

struct LogonAnswer {
  LogonRequest request;  // its password already wiped
  LogonOutcome outcome = LogonOutcome::Failed;
  std::string user;  // the account's own spelling
  int wins = 0, losses = 0;
};

// What the lobby needs of the world around it: the connections, the password checks and
// the account records. The server gives it sockets and worker threads; the tests give it
// lists they read.
class LobbyIo {
 public:
  virtual ~LobbyIo() = default;
  virtual void Send(ConnectionId id, const protocol::ServerMessage& message) = 0;
  // Closes after what was sent before has gone out. The lobby forgets the connection at
  // once and is told nothing more about it.
  virtual void Close(ConnectionId id, int code, const std::string& reason) = 0;
  // Answered later with Lobby::Answered.
  virtual void CheckPassword(LogonRequest request) = 0;
  // A game won and lost, by the folded names of the two accounts.
  virtual void Record(const std::string& winner, const std::string& loser) = 0;
  // 64 hex digits nobody can guess.
  virtual std::string NewToken() = 0;
};

// Everyone connected and logged on, the players waiting for a game, and the games in
// play. It runs on one thread, is handed every message and every tick of the clock, and
// answers through its LobbyIo; it never waits for anything.
class Lobby {
 public:
  Lobby(LobbyIo& io, LobbySettings settings);

  // A connection that has finished its TLS and WebSocket handshakes.
  void Opened(ConnectionId id, const std::string& address, Time now);
  void Received(ConnectionId id, std::string_view text, Time now);
  // The connection dropped, whoever closed it.
  void Closed(ConnectionId id, Time now);
  void Answered(LogonAnswer answer, Time now);
  // Runs out the time limits; called about once a second.
  void Tick(Time now);
  // Tells everyone the server is going down and closes every connection; nothing of the
  // games in play is recorded. The lobby is done with then.
  void Shutdown();

 private:
  enum class Stage { Hello, Queued, Checking, In };
  struct Peer {
    std::string address;
    Time opened;
    Stage stage = Stage::Hello;
    std::string account;  // folded name, once in
    protocol::Hello hello;  // while queued for a check
  };
  enum class State { Idle, Waiting, Playing };
  struct Session {
    std::string name, folded;
    int wins = 0, losses = 0;
    std::string token;
    ConnectionId connection = 0;  // 0 while dropped
    Time dropped;
    State state = State::Idle;
    std::string wants;  // while waiting: the folded name asked for, "" for anyone
    std::list<std::string>::iterator queued;  // while waiting for anyone
    std::uint64_t game = 0;
    int side = 0;
    // The server moved him on (paired him, ended his game) since his last `play`: a
    // message he sent before he heard of it may still arrive, and is no breach.
    bool movedOn = false;
    std::optional<protocol::Ended> missed;  // a game that ended while he was away
  };

  // The private steps read the time of the call that led to them from now_.
  void OnHello(ConnectionId id, Peer& peer, protocol::Hello& hello);
  void Resume(ConnectionId id, Peer& peer, const protocol::Hello& hello);
  void StartChecks(const std::string& address);
  void LogIn(ConnectionId id, Peer& peer, const LogonAnswer& answer);
  void OnMessage(ConnectionId id, Session& s, protocol::ClientMessage& message);
  void OnPlay(ConnectionId id, Session& s, const protocol::Play& play);
  void OnCancel(ConnectionId id, Session& s, bool leave);
  bool InGame(ConnectionId id, const Session& s);
  void OnThrow(ConnectionId id, Session& s, const protocol::Throw& thrown);
  void OnEnd(ConnectionId id, Session& s, const protocol::End& end);
  // What the game's verdict on a throw or an end means for the game and the sender.
  void Judge(ConnectionId id, std::uint64_t game, Game::Verdict verdict);

  void Pair(Session& a, Session& b);
  void EndWait(Session& s);
  void Forfeit(Session& s, const char* reason);
  // winner: a side, or -1 for a game out of step.
  void EndGame(std::uint64_t id, const char* reason, int winner);
  // The other player of s's game, while he is still in it.
  Session* Opponent(const Session& s);

  void Bye(ConnectionId id, const char* reason);
  void Breach(ConnectionId id, const std::string& why);
  void CloseAndForget(ConnectionId id, int code, const std::string& reason);
  void Forget(ConnectionId id);
  void Failed(const std::string& address);

  LobbyIo& io_;
  LobbySettings settings_;
  std::unordered_map<ConnectionId, Peer> peers_;
  std::unordered_map<std::string, Session> sessions_;  // by folded name
  std::unordered_map<std::string, std::string> tokens_;  // resume token to folded name
  std::list<std::string> anyone_;  // folded names waiting for anyone, first come first
  std::unordered_map<std::uint64_t, Game> games_;
  std::uint64_t nextGame_ = 1;
  AddressBook book_;
  std::mt19937 random_;
  Time now_{};
};

}  // namespace server
