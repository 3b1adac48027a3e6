#include "server/lobby.h"

#include <algorithm>
#include <vector>

#include "base/overloaded.h"

namespace server {

namespace ByeReason = protocol::ByeReason;
namespace EndReason = protocol::EndReason;

Lobby::Lobby(LobbyIo& io, LobbySettings settings)
    : io_(io), settings_(settings), random_(settings.seed ? settings.seed : std::random_device{}()) {}

void Lobby::Opened(ConnectionId id, const std::string& address, Time now) {
  now_ = now;
  Peer& peer = peers_[id];
  peer.address = address;
  peer.opened = now;
  if (++book_.At(address).connections > settings_.maxPerAddress) Bye(id, ByeReason::Connections);
}

void Lobby::Received(ConnectionId id, std::string_view text, Time now) {
  now_ = now;
  const auto it = peers_.find(id);
  if (it == peers_.end()) return;
  Peer& peer = it->second;
  protocol::ClientMessage message;
  std::string why;
  const protocol::Decoded decoded = protocol::DecodeClient(text, message, why);
  if (decoded == protocol::Decoded::Breach) return Breach(id, why);
  const bool hello = decoded == protocol::Decoded::OtherVersion || std::holds_alternative<protocol::Hello>(message);
  // A hello first and only first; nothing while its password is being checked.
  if (peer.stage != Stage::Hello && (hello || peer.stage != Stage::In)) return Breach(id, "out of turn");
  if (peer.stage == Stage::In) return OnMessage(id, sessions_.at(peer.account), message);
  if (!hello) return Breach(id, "out of turn");
  if (decoded == protocol::Decoded::OtherVersion) return Bye(id, ByeReason::Version);
  OnHello(id, peer, std::get<protocol::Hello>(message));
}

void Lobby::Closed(ConnectionId id, Time now) {
  now_ = now;
  Forget(id);
}

void Lobby::OnHello(ConnectionId id, Peer& peer, protocol::Hello& hello) {
  AddressBook::Entry& entry = book_.At(peer.address);
  if (book_.Failures(entry, now_) >= protocol::FailedLogonsPerMinute) return Bye(id, ByeReason::Attempts);
  if (!hello.resume.empty()) return Resume(id, peer, hello);
  if (!protocol::ValidUserName(hello.user) || !protocol::ValidPassword(hello.password)) {
    Failed(peer.address);
    return Bye(id, ByeReason::Credentials);
  }
  peer.hello = std::move(hello);
  peer.stage = Stage::Queued;
  entry.queued.push_back(id);
  StartChecks(peer.address);
}

// Checks wait their turn so that an address never has more under way than it has failed
// log-ons left this minute, and never more allowed to register than it has new names left
// this hour: twenty connections at once get no more guesses than one.
void Lobby::StartChecks(const std::string& address) {
  AddressBook::Entry& entry = book_.At(address);
  while (!entry.queued.empty()) {
    const ConnectionId id = entry.queued.front();
    const int failuresLeft = protocol::FailedLogonsPerMinute - book_.Failures(entry, now_);
    if (failuresLeft <= 0) {
      entry.queued.pop_front();
      Bye(id, ByeReason::Attempts);
      continue;
    }
    if (entry.checking >= failuresLeft) return;
    bool mayRegister = false;
    if (settings_.registration) {
      const int namesLeft = protocol::RegistrationsPerHour - book_.Registrations(entry, now_);
      mayRegister = entry.mayRegister < namesLeft;
      if (!mayRegister && namesLeft > 0) return;  // a check under way may not register after all
    }
    entry.queued.pop_front();
    Peer& peer = peers_.at(id);
    peer.stage = Stage::Checking;
    ++entry.checking;
    entry.mayRegister += mayRegister;
    io_.CheckPassword({id, address, std::move(peer.hello.user), std::move(peer.hello.password), mayRegister});
    peer.hello = {};
  }
}

void Lobby::Answered(LogonAnswer answer, Time now) {
  now_ = now;
  const LogonRequest& request = answer.request;
  AddressBook::Entry& entry = book_.At(request.address);
  --entry.checking;
  entry.mayRegister -= request.mayRegister;
  if (answer.outcome == LogonOutcome::Registered) entry.registrations.push_back(now);
  const bool refused = answer.outcome == LogonOutcome::WrongPassword ||
                       (answer.outcome == LogonOutcome::UnknownName && !settings_.registration);
  if (refused) Failed(request.address);
  const ConnectionId id = request.connection;
  const auto it = peers_.find(id);
  if (it != peers_.end() && it->second.stage == Stage::Checking) {
    switch (answer.outcome) {
      case LogonOutcome::LoggedOn:
      case LogonOutcome::Registered:
        LogIn(id, it->second, answer);
        break;
      case LogonOutcome::WrongPassword:
        Bye(id, ByeReason::Credentials);
        break;
      case LogonOutcome::UnknownName:
        Bye(id, settings_.registration ? ByeReason::Registrations : ByeReason::Credentials);
        break;
      case LogonOutcome::Failed:
        CloseAndForget(id, CloseCode::ServerError, "server error");
        break;
    }
  }
  StartChecks(request.address);
}

void Lobby::LogIn(ConnectionId id, Peer& peer, const LogonAnswer& answer) {
  const std::string folded = protocol::FoldName(answer.user);
  const auto [it, fresh] = sessions_.try_emplace(folded);
  Session& s = it->second;
  if (fresh) {
    s.name = answer.user;
    s.folded = folded;
    s.wins = answer.wins;
    s.losses = answer.losses;
  } else {
    // The newer log-on takes over: the older one's wait ends, its game counts as left, and
    // its token is no good any more. Its record here is newer than the database's.
    EndWait(s);
    if (s.state == State::Playing) Forfeit(s, EndReason::Left);
    if (s.connection) Bye(s.connection, ByeReason::TakenOver);
    tokens_.erase(s.token);
  }
  s.token = io_.NewToken();
  tokens_[s.token] = folded;
  s.connection = id;
  s.movedOn = false;
  s.missed.reset();
  peer.stage = Stage::In;
  peer.account = folded;
  io_.Send(id, protocol::Welcome{s.name, s.wins, s.losses, s.token, answer.outcome == LogonOutcome::Registered});
}

void Lobby::Resume(ConnectionId id, Peer& peer, const protocol::Hello& hello) {
  const auto token = protocol::ValidResumeToken(hello.resume) ? tokens_.find(hello.resume) : tokens_.end();
  if (token == tokens_.end()) {
    Failed(peer.address);
    return Bye(id, ByeReason::Resume);
  }
  Session& s = sessions_.at(token->second);
  const ConnectionId older = s.connection;
  // A wait does not survive the connection it was asked on: the player asks again.
  EndWait(s);
  s.connection = id;
  peer.stage = Stage::In;
  peer.account = s.folded;
  // An older connection not yet seen to drop is one its player has given up on.
  if (older) CloseAndForget(older, CloseCode::Normal, "");
  io_.Send(id, protocol::Welcome{s.name, s.wins, s.losses, s.token, false});
  if (s.missed) {
    io_.Send(id, *s.missed);
    s.missed.reset();
  }
  if (s.state != State::Playing) return;
  const Game& game = games_.at(s.game);
  io_.Send(id, protocol::Rejoined{game.At(1 - s.side).name, game.At(0).name, game.Count()});
  for (const protocol::Throw& thrown : game.ThrowsFrom(hello.seen)) io_.Send(id, thrown);
  Session* other = Opponent(s);
  if (!other) return;
  if (!other->connection) {
    // The clock may have run out before the tick that ends his game.
    const auto left = std::chrono::duration_cast<Seconds>(other->dropped + settings_.resumeWindow - now_);
    io_.Send(id, protocol::Away{static_cast<int>(std::max<Seconds::rep>(left.count(), 0))});
  } else if (!older) {
    io_.Send(other->connection, protocol::Back{});
  }
}

void Lobby::OnMessage(ConnectionId id, Session& s, protocol::ClientMessage& message) {
  std::visit(Overloaded{
                 [&](protocol::Hello&) { Breach(id, "out of turn"); },
                 [&](protocol::Play& play) { OnPlay(id, s, play); },
                 [&](protocol::Cancel&) { OnCancel(id, s, false); },
                 [&](protocol::Leave&) { OnCancel(id, s, true); },
                 [&](protocol::Throw& thrown) { OnThrow(id, s, thrown); },
                 [&](protocol::End& end) { OnEnd(id, s, end); },
             },
             message);
}

void Lobby::OnPlay(ConnectionId id, Session& s, const protocol::Play& play) {
  if (s.state != State::Idle) return Breach(id, "out of turn");
  const std::string wants = protocol::FoldName(play.opponent);
  if (wants == s.folded) return Breach(id, "bad field opponent");
  s.movedOn = false;
  s.state = State::Waiting;
  s.wants = wants;
  io_.Send(id, protocol::Waiting{play.opponent});
  if (wants.empty()) {
    if (anyone_.empty()) {
      s.queued = anyone_.insert(anyone_.end(), s.folded);
      return;
    }
    Session& first = sessions_.at(anyone_.front());
    anyone_.pop_front();
    return Pair(first, s);
  }
  // Two players who name each other, whichever asked first; a name nobody has just waits.
  const auto other = sessions_.find(wants);
  if (other != sessions_.end() && other->second.state == State::Waiting && other->second.wants == s.folded)
    Pair(other->second, s);
}

// `cancel` and `leave` alike end a wait; in a game both give it up (a cancel there was
// sent before its sender heard he was paired); after a game the server ended, either may
// have crossed the `ended` on the wire.
void Lobby::OnCancel(ConnectionId id, Session& s, bool leave) {
  if (s.state == State::Waiting) {
    EndWait(s);
    return io_.Send(id, protocol::Cancelled{});
  }
  if (s.state == State::Playing) return Forfeit(s, EndReason::Left);
  if (!leave && !s.movedOn) Breach(id, "out of turn");
}

// A throw or an end belongs in a game; one that crossed the `ended` of its game on the
// wire is let go, anything else is out of turn.
bool Lobby::InGame(ConnectionId id, const Session& s) {
  if (s.state == State::Playing) return true;
  if (s.state != State::Idle || !s.movedOn) Breach(id, "out of turn");
  return false;
}

void Lobby::OnThrow(ConnectionId id, Session& s, const protocol::Throw& thrown) {
  if (!InGame(id, s)) return;
  const Game::Verdict verdict = games_.at(s.game).Throw(s.side, thrown, now_);
  if (Session* other = Opponent(s); verdict == Game::Verdict::Relay && other && other->connection)
    io_.Send(other->connection, thrown);
  Judge(id, s.game, verdict);
}

void Lobby::OnEnd(ConnectionId id, Session& s, const protocol::End& end) {
  if (!InGame(id, s)) return;
  Judge(id, s.game, games_.at(s.game).Report(s.side, end, now_));
}

void Lobby::Judge(ConnectionId id, std::uint64_t game, Game::Verdict verdict) {
  switch (verdict) {
    case Game::Verdict::Relay:
    case Game::Verdict::Wait:
      return;
    case Game::Verdict::Over:
      return EndGame(game, EndReason::Over, games_.at(game).Winner());
    case Game::Verdict::OutOfStep:
      return EndGame(game, EndReason::OutOfStep, -1);
    case Game::Verdict::OutOfTurn:
      return Breach(id, "out of turn");
    case Game::Verdict::OutOfOrder:
      return Breach(id, "out of order");
    case Game::Verdict::TooMany:
      return Breach(id, "too many throws");
    case Game::Verdict::BadWinner:
      return Breach(id, "bad field winner");
  }
}

void Lobby::Pair(Session& a, Session& b) {
  const bool aFirst = std::uniform_int_distribution<int>(0, 1)(random_) == 0;
  Session* sides[2] = {aFirst ? &a : &b, aFirst ? &b : &a};
  const std::uint64_t id = nextGame_++;
  games_.try_emplace(id, std::array<Game::Player, 2>{{{sides[0]->name, sides[0]->folded},
                                                      {sides[1]->name, sides[1]->folded}}},
                     settings_.turnLimit, now_);
  for (int side = 0; side < 2; ++side) {
    Session& s = *sides[side];
    s.state = State::Playing;
    s.wants.clear();
    s.game = id;
    s.side = side;
    s.movedOn = true;
    io_.Send(s.connection, protocol::Paired{sides[1 - side]->name, sides[0]->name});
  }
}

void Lobby::EndWait(Session& s) {
  if (s.state != State::Waiting) return;
  if (s.wants.empty()) anyone_.erase(s.queued);
  s.wants.clear();
  s.state = State::Idle;
}

// A player whose own end is in has finished his game: leaving then costs him nothing,
// and the game waits on for the other's report.
void Lobby::Forfeit(Session& s, const char* reason) {
  const std::uint64_t id = s.game;
  const Game& game = games_.at(id);
  if (game.Reported(s.side)) {
    s.state = State::Idle;
    s.game = 0;
    return;
  }
  if (game.Reported(1 - s.side)) return EndGame(id, EndReason::Over, game.Winner());
  EndGame(id, reason, 1 - s.side);
}

void Lobby::EndGame(std::uint64_t id, const char* reason, int winner) {
  const Game& game = games_.at(id);
  if (winner >= 0) {
    const Game::Player& won = game.At(winner);
    const Game::Player& lost = game.At(1 - winner);
    io_.Record(won.folded, lost.folded);
    if (const auto it = sessions_.find(won.folded); it != sessions_.end()) ++it->second.wins;
    if (const auto it = sessions_.find(lost.folded); it != sessions_.end()) ++it->second.losses;
  }
  for (int side = 0; side < 2; ++side) {
    const auto it = sessions_.find(game.At(side).folded);
    if (it == sessions_.end() || it->second.state != State::Playing || it->second.game != id) continue;
    Session& s = it->second;
    s.state = State::Idle;
    s.game = 0;
    s.movedOn = true;
    protocol::Ended ended{reason, winner >= 0 ? game.At(winner).name : "", s.wins, s.losses};
    if (s.connection)
      io_.Send(s.connection, ended);
    else
      s.missed = std::move(ended);
  }
  games_.erase(id);
}

Lobby::Session* Lobby::Opponent(const Session& s) {
  const auto it = sessions_.find(games_.at(s.game).At(1 - s.side).folded);
  if (it == sessions_.end() || it->second.state != State::Playing || it->second.game != s.game) return nullptr;
  return &it->second;
}

void Lobby::Tick(Time now) {
  now_ = now;
  std::vector<ConnectionId> silent;
  for (const auto& [id, peer] : peers_)
    if (peer.stage == Stage::Hello && now - peer.opened >= Seconds(protocol::HandshakeSeconds)) silent.push_back(id);
  for (const ConnectionId id : silent) Breach(id, "no hello");

  std::vector<std::string> gone;
  for (const auto& [folded, s] : sessions_)
    if (!s.connection && now - s.dropped >= settings_.resumeWindow) gone.push_back(folded);
  for (const std::string& folded : gone) {
    Session& s = sessions_.at(folded);
    if (s.state == State::Playing) Forfeit(s, EndReason::Dropped);
    tokens_.erase(s.token);
    sessions_.erase(folded);
  }

  std::vector<std::pair<std::uint64_t, Game::Due>> due;
  for (const auto& [id, game] : games_)
    if (const Game::Due d = game.DueAt(now); d != Game::Due::Nothing) due.emplace_back(id, d);
  for (const auto& [id, d] : due) {
    const Game& game = games_.at(id);
    if (d == Game::Due::TurnTimedOut)
      EndGame(id, EndReason::Timeout, 1 - game.Holder());
    else
      EndGame(id, EndReason::Over, game.Winner());
  }
  book_.Prune(now);
}

void Lobby::Shutdown() {
  for (const auto& [id, peer] : peers_) {
    io_.Send(id, protocol::Bye{ByeReason::Shutdown, protocol::ByeText(ByeReason::Shutdown)});
    io_.Close(id, CloseCode::GoingAway, ByeReason::Shutdown);
  }
  peers_.clear();
}

void Lobby::Bye(ConnectionId id, const char* reason) {
  io_.Send(id, protocol::Bye{reason, protocol::ByeText(reason)});
  CloseAndForget(id, CloseCode::Normal, reason);
}

void Lobby::Breach(ConnectionId id, const std::string& why) { CloseAndForget(id, CloseCode::Breach, why); }

void Lobby::CloseAndForget(ConnectionId id, int code, const std::string& reason) {
  io_.Close(id, code, reason);
  Forget(id);
}

// The connection is gone: a player in a game keeps it for the resume window, and his
// opponent hears that he is away.
void Lobby::Forget(ConnectionId id) {
  const auto it = peers_.find(id);
  if (it == peers_.end()) return;
  const Peer peer = std::move(it->second);
  peers_.erase(it);
  AddressBook::Entry& entry = book_.At(peer.address);
  --entry.connections;
  if (peer.stage == Stage::Queued) std::erase(entry.queued, id);
  if (peer.stage != Stage::In) return;
  const auto session = sessions_.find(peer.account);
  if (session == sessions_.end() || session->second.connection != id) return;
  Session& s = session->second;
  s.connection = 0;
  s.dropped = now_;
  EndWait(s);
  if (s.state != State::Playing) return;
  if (Session* other = Opponent(s); other && other->connection)
    io_.Send(other->connection, protocol::Away{static_cast<int>(settings_.resumeWindow.count())});
}

void Lobby::Failed(const std::string& address) { book_.At(address).failures.push_back(now_); }

}  // namespace server
