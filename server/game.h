#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "server/clock.h"

namespace server {

// One game between two players as the server keeps it: the throws in order, who holds the
// turn, and the two reports of its end. It checks what can be checked without playing the
// rules (the turn order, a throw's place, whether the two ends agree); each player's game
// works out what every throw did.
class Game {
 public:
  struct Player {
    std::string name;    // the account's own spelling
    std::string folded;  // the name as accounts are looked up
  };

  // players[0] throws first. `turnLimit` is both the time a turn may take and the time
  // the second report of the end may keep the first waiting.
  Game(std::array<Player, 2> players, Seconds turnLimit, Time now);

  enum class Verdict {
    Relay,      // a throw: kept, and the turn passes to the other side
    Wait,       // an end: the first report, waiting for the other's
    Over,       // the game is over with a winner, Winner()
    OutOfStep,  // the two games have worked a throw out differently: nothing is recorded
    OutOfTurn,  // breaches of the message order
    OutOfOrder,
    TooMany,
    BadWinner,
  };
  Verdict Throw(int side, const protocol::Throw& thrown, Time now);
  Verdict Report(int side, const protocol::End& end, Time now);

  // What Tick should do with the game at `now`: nothing, a timed-out turn (the holder
  // loses), or one report of the end left unanswered too long (it stands).
  enum class Due { Nothing, TurnTimedOut, ReportStands };
  Due DueAt(Time now) const;

  const Player& At(int side) const { return players_[side]; }
  int Count() const { return static_cast<int>(throws_.size()); }
  int Holder() const { return Count() % 2; }
  bool Reported(int side) const { return reports_[side].given; }
  // The side the reports name as winner, once one report has been given.
  int Winner() const;
  // The throws from number `seen` on, for a player who has come back.
  std::vector<protocol::Throw> ThrowsFrom(int seen) const;

 private:
  // A throw in 8 bytes: n is its place in the list, the flight values are kept as their
  // small offsets from power and aim. A long game stays a few kilobytes.
  struct Stored {
    std::uint16_t aim;
    std::uint8_t power, bounce;
    std::int8_t flightPower, flightAim, result;
  };
  struct EndReport {
    bool given = false;
    int n = 0;
    int winner = -1;  // a side, or -1 for out of step
  };

  std::array<Player, 2> players_;
  std::vector<Stored> throws_;
  std::array<EndReport, 2> reports_;
  Seconds turnLimit_;
  Time clock_;  // since the turn began, or since the first report
};

}  // namespace server
