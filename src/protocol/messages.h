#pragma once
#include <string>
#include <string_view>
#include <variant>

#include "protocol/limits.h"

// The messages the game and the server exchange, one JSON object each, as docs/PROTOCOL.md
// lays them out. Both sides decode with these functions only, so that the two can never
// disagree about what a message may hold.
namespace protocol {

// The values of one throw: judged with power and aim, seen flying with the wobbled pair,
// bouncing off a rim with `bounce`, and the thrower's own judgement.
struct Throw {
  int n = 0;
  int power = 0;
  int aim = 0;
  int flightPower = 0;
  int flightAim = 0;
  int bounce = MinBounce;
  int result = 0;  // 0 to 14 a cup, -1 a miss, -2 a rim, -3 over the table

  bool operator==(const Throw&) const = default;
};

// From the client.

struct Hello {
  int version = Version;
  // Either a name and a password, or a resume token with the throws seen.
  std::string user, password;
  std::string resume;
  int seen = 0;
};
struct Play {
  std::string opponent;  // empty: anyone
};
struct Cancel {};
struct End {
  int n = 0;
  std::string winner;      // empty when out of step
  bool outOfStep = false;
};
struct Leave {};

using ClientMessage = std::variant<Hello, Play, Cancel, Throw, End, Leave>;

// From the server.

struct Welcome {
  std::string user;
  int wins = 0, losses = 0;
  std::string resume;
  bool registered = false;
};
struct Waiting {
  std::string opponent;
};
struct Cancelled {};
struct Paired {
  std::string opponent, first;
};
struct Rejoined {
  std::string opponent, first;
  int throws = 0;
};
struct Away {
  int seconds = ResumeSeconds;
};
struct Back {};
struct Ended {
  std::string reason;  // one of the EndReason names
  std::string winner;  // empty when out of step
  int wins = 0, losses = 0;
};
struct Bye {
  std::string reason;  // one of the ByeReason names
  std::string text;
};

using ServerMessage = std::variant<Welcome, Waiting, Cancelled, Paired, Rejoined, Throw, Away, Back, Ended, Bye>;

// Why a game ended, as `ended` names it.
namespace EndReason {
constexpr const char* Over = "over";
constexpr const char* Left = "left";
constexpr const char* Dropped = "dropped";
constexpr const char* Timeout = "timeout";
constexpr const char* OutOfStep = "out-of-step";
}  // namespace EndReason

// Why the server closes, as `bye` names it; ByeText gives the words the game shows.
namespace ByeReason {
constexpr const char* Version = "version";
constexpr const char* Credentials = "credentials";
constexpr const char* Registrations = "registrations";
constexpr const char* Attempts = "attempts";
constexpr const char* Connections = "connections";
constexpr const char* Resume = "resume";
constexpr const char* TakenOver = "taken-over";
constexpr const char* Shutdown = "shutdown";
}  // namespace ByeReason
// The text of a `bye` for one of the reasons above; empty for any other.
const char* ByeText(std::string_view reason);

enum class Decoded {
  Ok,
  Breach,        // not the message its type requires: `why` says what, for the close frame
  OtherVersion,  // a hello of another protocol version
};

Decoded DecodeClient(std::string_view text, ClientMessage& out, std::string& why);
Decoded DecodeServer(std::string_view text, ServerMessage& out, std::string& why);
std::string Encode(const ClientMessage& message);
std::string Encode(const ServerMessage& message);

}  // namespace protocol
