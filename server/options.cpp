#include "server/options.h"

#include <cstdlib>
#include <cstring>

#include "base/number_text.h"

namespace server {

const char* const Usage =
    "Usage: tumbra-server [OPTION...]\n"
    "       tumbra-server [--state DIR] user add|remove|passwd NAME\n"
    "       tumbra-server [--state DIR] user list\n"
    "\n"
    "The Tumbra server: accounts, pairing and the games of the Internet game.\n"
    "\n"
    "  --listen ADDRESS       listen on this address only (default: every address)\n"
    "  --port N               the port to listen on (default 7438; 0: any free port)\n"
    "  --state DIR            the folder of the account database and the certificate\n"
    "                         (default $XDG_STATE_HOME/tumbra-server)\n"
    "  --cert FILE --key FILE the certificate (chain) and key to present; without them\n"
    "                         the server makes its own in the state folder\n"
    "  --no-registration      refuse user names it does not know\n"
    "  --max-per-address N    connections from one address at once (default 20)\n"
    "  --help                 this text\n"
    "\n"
    "For tests and benchmarks only:\n"
    "  --hash-cost min        hash passwords at libsodium's least cost, which protects nothing\n"
    "  --turn-seconds N       the time a turn may take (default 180)\n"
    "  --resume-seconds N     the time a dropped player has to come back (default 30)\n"
    "\n"
    "The user commands work on the database of the state folder and read the password\n"
    "from standard input.\n";

namespace {

std::string DefaultState() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state) return std::string(state) + "/tumbra-server";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.local/state/tumbra-server";
}

}  // namespace

int ParseOptions(int argc, char** argv, ServerOptions& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help") {
      o.help = true;
      continue;
    }
    if (option == "--no-registration") {
      o.registration = false;
      continue;
    }
    if (option.rfind("--", 0) != 0) {
      o.command.assign(argv + i, argv + argc);
      break;
    }
    if (i + 1 >= argc) return error = option + " needs a value", 0;
    const char* value = argv[++i];
    bool ok = true;
    if (option == "--listen")
      o.listen = value;
    else if (option == "--port")
      ok = ParseNumber(value, 0, 65535, o.port);
    else if (option == "--state")
      o.state = value;
    else if (option == "--cert")
      o.cert = value;
    else if (option == "--key")
      o.key = value;
    else if (option == "--max-per-address")
      ok = ParseNumber(value, 1, 1000000, o.maxPerAddress);
    else if (option == "--turn-seconds")
      ok = ParseNumber(value, 1, 86400, o.turnSeconds);
    else if (option == "--resume-seconds")
      ok = ParseNumber(value, 1, 86400, o.resumeSeconds);
    else if (option == "--hash-cost" && (std::strcmp(value, "min") == 0 || std::strcmp(value, "interactive") == 0))
      o.hashCost = std::strcmp(value, "min") == 0 ? HashCost::Min : HashCost::Interactive;
    else
      return error = "unknown option " + option + " " + value, 0;
    if (!ok) return error = "bad value for " + option + ": " + value, 0;
  }
  if (o.cert.empty() != o.key.empty()) return error = "--cert and --key go together", 0;
  if (o.state.empty()) o.state = DefaultState();
  return 1;
}

}  // namespace server
