#pragma once
#include <string>

namespace load {

// What one run of tumbra-load does, from its command line. Every run is bounded: a number
// of players, a measured time, and a hard limit after which it reports what it has.
struct LoadOptions {
  std::string server = TUMBRA_SERVER_BINARY;
  int connections = 10000;   // players connected at once, two to a game
  int rate = 1000;           // throws a second across all the games
  int seconds = 30;          // how long the throws are measured
  int gameThrows = 40;       // throws in a game before both players report its end
  int logons = 40;           // accounts logged on at the default hash cost; 0: none
  int limit = 300;           // seconds after which the run stops, whatever it has
  bool help = false;
};

// Reads the command line; on a mistake says what in `error` and returns 0.
int ParseLoadOptions(int argc, char** argv, LoadOptions& options, std::string& error);

extern const char* const LoadUsage;

}  // namespace load
