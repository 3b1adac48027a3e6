#include "load_options.h"

#include <cstring>

#include "base/number_text.h"

namespace load {

const char* const LoadUsage =
    "Usage: tumbra-load [OPTION...]\n"
    "\n"
    "Starts a tumbra-server of its own on 127.0.0.1 at a port the system picks, with a\n"
    "new state folder, connects many players to it from loopback addresses only, pairs\n"
    "them two by two and plays scripted games at a steady pace of throws. Then it logs\n"
    "players on to a second server at the default password hash cost. Prints what it\n"
    "measured as NAME=VALUE lines; exits with status 1 when a player failed, a throw was\n"
    "lost or altered, or the hard limit ran out.\n"
    "\n"
    "  --connections N   players connected at once, two to a game (default 10000)\n"
    "  --rate N          throws a second across all the games, paced (default 1000)\n"
    "  --seconds N       how long the throws are measured (default 30)\n"
    "  --game-throws N   throws in a game before both players report its end and ask\n"
    "                    for the next (default 40)\n"
    "  --logons N        accounts registered, then logged on and timed, at the default\n"
    "                    hash cost (default 40; 0: none)\n"
    "  --limit N         the run stops after this many seconds and reports what it has\n"
    "                    (default 300)\n"
    "  --server FILE     the tumbra-server to start (default: the one built with this tool)\n"
    "  --quick           100 connections, 100 throws a second for 3 s, games of 6 throws,\n"
    "                    4 log-ons, 60 s at most: a check that the tool and the server work\n"
    "  --help            this text\n"
    "\n"
    "What the server of the scale run is given, and why its figures still hold: passwords\n"
    "are hashed at the least cost (--hash-cost min, the server's option for tests and\n"
    "benchmarks), because every player registers at his first log-on and a hash is paid\n"
    "once per log-on, never for a connection held or a throw relayed. A server allows 5\n"
    "new names an hour from one address, so the players connect from 127.1.0.1 on, five\n"
    "to an address (10,000 players: 2,000 addresses, as many real players would come\n"
    "from). Every other limit, time limit and buffer is the server's default. The log-on\n"
    "rate is measured on a second server at the default cost, with accounts registered\n"
    "just before, one player to an address from 127.2.0.1 on.\n"
    "\n"
    "Memory per connection: the server's PSS with every player connected and every game\n"
    "in play, less its PSS before the first connection, over the players. Latency: from a\n"
    "throw handed to the thrower's connection to the opponent's connection reading it,\n"
    "matched by the throw's number in its game. Server CPU: utime + stime of\n"
    "/proc/PID/stat over the measured seconds.\n";

int ParseLoadOptions(int argc, char** argv, LoadOptions& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help") {
      o.help = true;
      continue;
    }
    if (option == "--quick") {
      o.connections = 100;
      o.rate = 100;
      o.seconds = 3;
      o.gameThrows = 6;
      o.logons = 4;
      o.limit = 60;
      continue;
    }
    if (i + 1 >= argc) return error = option + " needs a value", 0;
    const char* value = argv[++i];
    bool ok = true;
    if (option == "--connections")
      ok = ParseNumber(value, 2, 100000, o.connections) && o.connections % 2 == 0;
    else if (option == "--rate")
      ok = ParseNumber(value, 1, 100000, o.rate);
    else if (option == "--seconds")
      ok = ParseNumber(value, 1, 3600, o.seconds);
    else if (option == "--game-throws")
      ok = ParseNumber(value, 1, 999, o.gameThrows);
    else if (option == "--logons")
      ok = ParseNumber(value, 0, 1000, o.logons);
    else if (option == "--limit")
      ok = ParseNumber(value, 1, 7200, o.limit);
    else if (option == "--server")
      o.server = value;
    else
      return error = "unknown option " + option, 0;
    if (!ok) return error = "bad value for " + option + ": " + value, 0;
  }
  return 1;
}

}  // namespace load
