#pragma once
#include <string>
#include <vector>

#include "protocol/limits.h"
#include "server/secrets.h"

namespace server {

// What tumbra-server was asked to do, from its command line.
struct ServerOptions {
  std::string listen;  // empty: every address
  int port = protocol::DefaultPort;
  std::string state;   // the database and the certificate
  std::string cert, key;
  bool registration = true;
  int maxPerAddress = protocol::MaxConnectionsPerAddress;
  HashCost hashCost = HashCost::Interactive;
  int turnSeconds = protocol::TurnSeconds;
  int resumeSeconds = protocol::ResumeSeconds;
  bool help = false;
  // An admin command instead of the server: "user add NAME" and the like.
  std::vector<std::string> command;
};

// Reads the command line; on a mistake says what in `error` and returns 0. The state
// folder defaults to $XDG_STATE_HOME/tumbra-server (or ~/.local/state/tumbra-server).
int ParseOptions(int argc, char** argv, ServerOptions& options, std::string& error);

extern const char* const Usage;

}  // namespace server
