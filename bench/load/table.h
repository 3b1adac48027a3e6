#pragma once
#include <array>
#include <chrono>
#include <random>
#include <vector>

#include "faults.h"
#include "player.h"

namespace load {

using Clock = std::chrono::steady_clock;
using Time = Clock::time_point;

// The time from throws handed to the thrower's connection to the opponent reading them,
// for the throws handed over within the measured window.
struct Latencies {
  Time from = Time::max(), to = Time::max();
  std::vector<float> milliseconds;
  long relayed = 0;  // throws that arrived, whenever they were sent
};

// Two players who asked for each other, and their scripted games one after the other: a
// throw whenever the pace says so and the thrower has had the last one, `gameThrows` of
// them, then both report the same end, hear the game is over and ask again. Every throw
// that arrives is checked against the one sent.
class Table {
 public:
  Table(std::array<Player*, 2> players, int gameThrows, Latencies& latencies, Faults& faults);

  void AskForGame(int side);
  void Paired(int side, const protocol::Paired& paired);
  void Arrived(int side, const protocol::Throw& thrown, Time now);
  void Ended(int side, const protocol::Ended& ended);
  // The pace has come to this table: it throws now, or as soon as it can.
  void Due(Time now);

  bool Playing() const { return paired_ == 2; }
  // Every throw sent has reached the other player.
  bool Settled() const { return arrived_ == thrown_; }

 private:
  void Throw(Time now);
  protocol::Throw Next();

  std::array<Player*, 2> players_;
  const int gameThrows_;
  Latencies& latencies_;
  Faults& faults_;
  int paired_ = 0, ended_ = 0;
  int first_ = 0;  // the side that throws first in this game
  int thrown_ = 0, arrived_ = 0;
  bool due_ = false;
  protocol::Throw sent_;
  Time sentAt_;
  std::minstd_rand random_;
};

}  // namespace load
