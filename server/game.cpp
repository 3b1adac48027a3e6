#include "server/game.h"

namespace server {

Game::Game(std::array<Player, 2> players, Seconds turnLimit, Time now)
    : players_(std::move(players)), turnLimit_(turnLimit), clock_(now) {}

Game::Verdict Game::Throw(int side, const protocol::Throw& thrown, Time now) {
  // After his own end a player throws no more; a throw after the other's end means the
  // two games no longer agree on where the game stands.
  if (reports_[side].given || side != Holder()) return Verdict::OutOfTurn;
  if (reports_[1 - side].given) return Verdict::OutOfStep;
  if (Count() >= protocol::MaxThrows) return Verdict::TooMany;
  if (thrown.n != Count()) return Verdict::OutOfOrder;
  throws_.push_back({static_cast<std::uint16_t>(thrown.aim), static_cast<std::uint8_t>(thrown.power),
                     static_cast<std::uint8_t>(thrown.bounce),
                     static_cast<std::int8_t>(thrown.flightPower - thrown.power),
                     static_cast<std::int8_t>(thrown.flightAim - thrown.aim), static_cast<std::int8_t>(thrown.result)});
  clock_ = now;
  return Verdict::Relay;
}

Game::Verdict Game::Report(int side, const protocol::End& end, Time now) {
  if (reports_[side].given) return Verdict::OutOfTurn;
  if (end.n > Count()) return Verdict::OutOfOrder;
  int winner = -1;
  if (!end.outOfStep) {
    const std::string folded = protocol::FoldName(end.winner);
    if (folded != players_[0].folded && folded != players_[1].folded) return Verdict::BadWinner;
    winner = folded == players_[0].folded ? 0 : 1;
  }
  reports_[side] = {true, end.n, winner};
  // An end before the last throw the server holds: the other game threw on after it.
  if (winner < 0 || end.n < Count()) return Verdict::OutOfStep;
  const EndReport& other = reports_[1 - side];
  if (!other.given) {
    clock_ = now;
    return Verdict::Wait;
  }
  return other.n == end.n && other.winner == winner ? Verdict::Over : Verdict::OutOfStep;
}

Game::Due Game::DueAt(Time now) const {
  if (now - clock_ < turnLimit_) return Due::Nothing;
  return reports_[0].given || reports_[1].given ? Due::ReportStands : Due::TurnTimedOut;
}

int Game::Winner() const { return reports_[0].given ? reports_[0].winner : reports_[1].winner; }

std::vector<protocol::Throw> Game::ThrowsFrom(int seen) const {
  std::vector<protocol::Throw> out;
  for (int n = seen; n < Count(); ++n) {
    const Stored& s = throws_[static_cast<std::size_t>(n)];
    out.push_back({n, s.power, s.aim, s.power + s.flightPower, s.aim + s.flightAim, s.bounce, s.result});
  }
  return out;
}

}  // namespace server
