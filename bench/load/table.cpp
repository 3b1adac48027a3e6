#include "table.h"

namespace load {

Table::Table(std::array<Player*, 2> players, int gameThrows, Latencies& latencies, Faults& faults)
    : players_(players),
      gameThrows_(gameThrows),
      latencies_(latencies),
      faults_(faults),
      random_(static_cast<unsigned>(players[0]->index + 1)) {}

void Table::AskForGame(int side) { players_[side]->Send(protocol::Play{players_[1 - side]->name}); }

void Table::Paired(int side, const protocol::Paired& paired) {
  if (paired.opponent != players_[1 - side]->name) faults_.Add(players_[side]->name + " paired with " + paired.opponent);
  first_ = paired.first == players_[0]->name ? 0 : 1;
  if (++paired_ < 2) return;
  ended_ = thrown_ = arrived_ = 0;
  if (due_) Throw(Clock::now());
}

void Table::Due(Time now) {
  if (Playing() && Settled() && thrown_ < gameThrows_)
    Throw(now);
  else
    due_ = true;
}

// Any values a game could send: the server relays them and judges none of them.
protocol::Throw Table::Next() {
  auto pick = [this](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); };
  protocol::Throw t;
  t.n = thrown_;
  t.power = pick(protocol::WobbleBelow, protocol::MaxPower - protocol::WobbleAbove);
  t.aim = pick(protocol::WobbleBelow, protocol::MaxAim - protocol::WobbleAbove);
  t.flightPower = t.power + pick(-protocol::WobbleBelow, protocol::WobbleAbove);
  t.flightAim = t.aim + pick(-protocol::WobbleBelow, protocol::WobbleAbove);
  t.bounce = pick(protocol::MinBounce, protocol::MaxBounce);
  t.result = pick(protocol::LowestResult, protocol::HighestResult);
  return t;
}

void Table::Throw(Time now) {
  due_ = false;
  sent_ = Next();
  sentAt_ = now;
  ++thrown_;
  players_[(first_ + sent_.n) % 2]->Send(sent_);
}

void Table::Arrived(int side, const protocol::Throw& thrown, Time now) {
  if (Settled() || side == (first_ + sent_.n) % 2 || !(thrown == sent_)) {
    faults_.Add(players_[side]->name + " got throw " + std::to_string(thrown.n) + ", not the one sent");
    return;
  }
  ++arrived_;
  ++latencies_.relayed;
  if (sentAt_ >= latencies_.from && sentAt_ < latencies_.to)
    latencies_.milliseconds.push_back(std::chrono::duration<float, std::milli>(now - sentAt_).count());
  if (arrived_ == gameThrows_) {
    // The first thrower wins every game: both report him, so the server records it.
    for (Player* player : players_) player->Send(protocol::End{arrived_, players_[first_]->name, false});
    return;
  }
  if (due_) Throw(now);
}

void Table::Ended(int side, const protocol::Ended& ended) {
  if (ended.reason != protocol::EndReason::Over || ended.winner != players_[first_]->name)
    faults_.Add(players_[side]->name + "'s game ended " + ended.reason);
  if (++ended_ < 2) return;
  paired_ = 0;
  AskForGame(0);
  AskForGame(1);
}

}  // namespace load
