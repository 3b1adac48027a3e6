#include "game/internet_match.h"

#include <cstdio>

#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/turn.h"

InternetMatch Match;

void EndInternetGame(const std::string& winner) {
  Match.winner = winner;
  PlayState = GameOver;
}

const char* InternetHeldBy() { return Match.lost && PlayState != GameOver ? ConnectionLostText : nullptr; }

// Both games end on the same throw, and each tells the server who won: it records the
// game when the two agree.
void InternetWinCheck() {
  if (const CupRack* emptied = EndGameOnEmptyRack()) {
    Match.winner = emptied->name;
    Match.send(protocol::End{.n = Match.throws, .winner = Match.winner});
  }
}

const char* InternetEndLine() {
  static char line[EndMessageSize];
  line[0] = '\0';
  if (Match.winner == PlayerRack->name)
    std::snprintf(line, sizeof line, "You are victorious!  %s wins!", PlayerRack->name);
  else if (Match.winner == OpponentRack->name)
    std::snprintf(line, sizeof line, "You lose... %s wins.", OpponentRack->name);
  return line;
}

int ThrownRimBounce() { return Match.current.bounce; }
