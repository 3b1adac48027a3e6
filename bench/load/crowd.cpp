#include "crowd.h"

#include "base/overloaded.h"

namespace load {

namespace {

constexpr int MaxConnecting = 100;
// The server lets one address register five names an hour.
constexpr int PlayersPerAddress = 5;
constexpr int AddressBlock = 1;
constexpr const char* Password = "load";

}  // namespace

Crowd::Crowd(asio::io_context& io, asio::ssl::context& tls, tcp::endpoint server, int players, int gameThrows,
             Faults& faults)
    : server_(server), faults_(faults), pace_(io) {
  for (int i = 0; i < players; ++i)
    players_.push_back(std::make_unique<Player>(io, tls, *this, i, "load" + std::to_string(i),
                                                LoopbackSource(AddressBlock, i, PlayersPerAddress)));
  for (int i = 0; i + 1 < players; i += 2)
    tables_.emplace_back(std::array<Player*, 2>{players_[i].get(), players_[i + 1].get()}, gameThrows, latencies,
                         faults);
}

void Crowd::StartSome() {
  while (started_ < static_cast<int>(players_.size()) && connecting_ < MaxConnecting) {
    ++connecting_;
    players_[started_++]->Start(server_);
  }
}

int Crowd::Playing() const {
  int playing = 0;
  for (const Table& table : tables_) playing += table.Playing();
  return playing;
}

int Crowd::Unsettled() const {
  int unsettled = 0;
  for (const Table& table : tables_) unsettled += !table.Settled();
  return unsettled;
}

void Crowd::StartThrows(int rate) {
  rate_ = rate;
  paced_ = 0;
  paceStart_ = Clock::now();
  pace_.expires_at(paceStart_);
  Pace();
}

void Crowd::StopThrows() { pace_.cancel(); }

// Each wake hands out the throws that are due by now, and sleeps until the next is.
void Crowd::Pace() {
  pace_.async_wait([this](boost::system::error_code ec) {
    if (ec) return;
    const Time now = Clock::now();
    const long due = static_cast<long>(std::chrono::duration<double>(now - paceStart_).count() * rate_);
    for (; paced_ <= due; ++paced_) tables_[static_cast<std::size_t>(paced_) % tables_.size()].Due(now);
    pace_.expires_at(paceStart_ + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(static_cast<double>(paced_) / rate_)));
    Pace();
  });
}

void Crowd::Opened(Player& player) { player.Send(protocol::Hello{protocol::Version, player.name, Password, "", 0}); }

void Crowd::Received(Player& player, protocol::ServerMessage& message) {
  const Time now = Clock::now();
  Table& table = tables_[static_cast<std::size_t>(player.index / 2)];
  const int side = player.index % 2;
  std::visit(Overloaded{
                 [&](protocol::Welcome&) {
                   player.welcomed = true;
                   ++loggedOn_;
                   --connecting_;
                   table.AskForGame(side);
                 },
                 [&](protocol::Waiting&) {},
                 [&](protocol::Paired& paired) { table.Paired(side, paired); },
                 [&](protocol::Throw& thrown) { table.Arrived(side, thrown, now); },
                 [&](protocol::Ended& ended) { table.Ended(side, ended); },
                 [&](protocol::Bye& bye) {
                   if (!closing_) faults_.Add(player.name + " was told bye " + bye.reason);
                 },
                 [&](auto&) { faults_.Add(player.name + " got a message no player of this run expects"); },
             },
             message);
}

void Crowd::Lost(Player& player, const std::string& why) {
  if (!player.welcomed) --connecting_;
  if (!closing_) faults_.Add(player.name + ": " + why);
}

}  // namespace load
