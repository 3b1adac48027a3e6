// The lobby on a clock of the test's own: log-ons against an account database in memory,
// pairing, games, drops and time limits, read off what it sends each connection.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "server/accounts.h"
#include "server/lobby.h"
#include "server/logon.h"
#include "test_client.h"

using namespace server;

namespace {

struct World : LobbyIo {
  std::map<ConnectionId, std::deque<std::string>> sent;
  std::vector<LogonRequest> checks;
  std::vector<std::string> records;
  AccountStore store{":memory:"};
  int tokens = 0;

  void Send(ConnectionId id, const protocol::ServerMessage& m) override { sent[id].push_back(protocol::Encode(m)); }
  void Close(ConnectionId id, int code, const std::string& reason) override {
    sent[id].push_back("closed " + std::to_string(code) + " " + reason);
  }
  void CheckPassword(LogonRequest request) override { checks.push_back(std::move(request)); }
  void Record(const std::string& winner, const std::string& loser) override {
    records.push_back(winner + " beat " + loser);
  }
  std::string NewToken() override { return Token(++tokens); }
  static std::string Token(int n) {
    const std::string digits = std::to_string(n);
    return std::string(64 - digits.size(), '0') + digits;
  }
};

class LobbyTest : public testing::Test {
 protected:
  World world;
  Lobby lobby{world, LobbySettings()};
  Time now = Time() + Seconds(100000);

  void Open(ConnectionId id, const std::string& address = "10.0.0.1") { lobby.Opened(id, address, now); }
  void Say(ConnectionId id, const std::string& text) { lobby.Received(id, text, now); }
  void Hello(ConnectionId id, const std::string& user, const std::string& password) {
    Say(id, R"({"type":"hello","version":1,"user":")" + user + R"(","password":")" + password + R"("})");
  }
  // Checks every password under way, with the server's own log-on code.
  void Answer() {
    for (; !world.checks.empty(); world.checks.erase(world.checks.begin()))
      lobby.Answered(CheckLogon(world.store, std::move(world.checks.front()), HashCost::Min), now);
  }
  std::string LogOn(ConnectionId id, const std::string& user, const std::string& password = "pw",
                    const std::string& address = "10.0.0.1") {
    Open(id, address);
    Hello(id, user, password);
    Answer();
    return Next(id);
  }
  void Resume(ConnectionId id, const std::string& token, int seen) {
    Open(id);
    Say(id, R"({"type":"hello","version":1,"resume":")" + token + R"(","seen":)" + std::to_string(seen) + "}");
  }
  std::string Next(ConnectionId id) {
    auto& queue = world.sent[id];
    if (queue.empty()) return "nothing";
    std::string message = queue.front();
    queue.pop_front();
    return message;
  }
  std::string Next(ConnectionId id, int count) {  // the next `count` messages, run together
    std::string all;
    while (count-- > 0) all += Next(id);
    return all;
  }
  std::string NextType(ConnectionId id) { return TestClient::Field(Next(id), "type"); }
  void Pass(int seconds) {
    now += Seconds(seconds);
    lobby.Tick(now);
  }
  // Ann on 1 and Bob on 2 in a game: the ids in the order they throw.
  std::pair<ConnectionId, ConnectionId> Game() {
    if (world.tokens == 0) LogOn(1, "Ann"), LogOn(2, "Bob");
    Say(1, R"({"type":"play","opponent":"Bob"})");
    Say(2, R"({"type":"play","opponent":"ann"})");
    Next(1), Next(2), Next(2);  // waiting, waiting, paired
    return TestClient::Field(Next(1), "first") == "Ann" ? std::pair{1, 2} : std::pair{2, 1};
  }
  static std::string Throw(int n) {
    return R"({"type":"throw","n":)" + std::to_string(n) +
           R"(,"power":91,"aim":49,"flightPower":88,"flightAim":52,"bounce":17,"result":0})";
  }
  static std::string End(int n, const std::string& winner) {
    return R"({"type":"end","n":)" + std::to_string(n) + R"(,"winner":")" + winner + R"("})";
  }
};

constexpr const char* Credentials =
    R"({"type":"bye","reason":"credentials","text":"The server refused this user name and password."})";

}  // namespace

TEST_F(LobbyTest, AnUnknownNameIsRegisteredUnlessItOrItsPasswordIsBad) {
  EXPECT_EQ(LogOn(1, "Ann", "secret"), R"({"type":"welcome","user":"Ann","wins":0,"losses":0,"resume":")" +
                                           World::Token(1) + R"(","registered":true})");
  EXPECT_EQ(LogOn(2, "tab\\there", "secret"), Credentials);
  EXPECT_EQ(LogOn(3, "Bob", "sixteen bytes..."), Credentials);
}

// Twenty connections at once get no more guesses than one, and after five failures even
// the right password waits out the minute.
TEST_F(LobbyTest, AnAddressHasFiveFailedLogOnsAMinute) {
  LogOn(1, "Ann", "secret", "10.0.0.2");
  for (ConnectionId id = 2; id <= 8; ++id) Open(id), Hello(id, "Ann", "guess");
  EXPECT_EQ(world.checks.size(), 5u);
  Answer();
  for (ConnectionId id = 2; id <= 6; ++id) EXPECT_EQ(Next(id), Credentials);
  EXPECT_EQ(TestClient::Field(Next(7), "text"), "Too many failed log-ons; try again in a minute.");
  EXPECT_EQ(TestClient::Field(Next(8), "reason"), "attempts");
  EXPECT_EQ(TestClient::Field(LogOn(9, "Ann", "secret"), "reason"), "attempts");
  EXPECT_EQ(TestClient::Field(LogOn(10, "Ann", "secret", "10.0.0.2"), "type"), "welcome");
  Pass(59);
  Resume(11, World::Token(1), 0);
  EXPECT_EQ(TestClient::Field(Next(11), "reason"), "attempts") << "a good resume token waits too";
  Pass(1);
  EXPECT_EQ(TestClient::Field(LogOn(12, "Ann", "secret"), "type"), "welcome");
}

TEST_F(LobbyTest, AnAddressRegistersFiveNewNamesAnHour) {
  for (ConnectionId id = 1; id <= 7; ++id) Open(id), Hello(id, std::string("P") += std::to_string(id), "pw");
  Answer();
  for (ConnectionId id = 1; id <= 5; ++id) EXPECT_EQ(TestClient::Field(Next(id), "registered"), "true");
  EXPECT_EQ(Next(6), R"({"type":"bye","reason":"registrations",)"
                     R"("text":"Too many new user names from your address; try again in an hour."})");
  EXPECT_EQ(TestClient::Field(Next(7), "reason"), "registrations");
  EXPECT_EQ(TestClient::Field(LogOn(8, "P1"), "type"), "welcome") << "a known name logs on as ever";
  EXPECT_EQ(TestClient::Field(LogOn(9, "P6", "pw", "10.0.0.2"), "registered"), "true");
  Pass(3599);
  EXPECT_EQ(TestClient::Field(LogOn(10, "P7"), "reason"), "registrations");
  Pass(1);
  EXPECT_EQ(TestClient::Field(LogOn(11, "P7"), "registered"), "true");
}

TEST_F(LobbyTest, AHelloComesFirstAndOnlyFirstAndInTime) {
  Open(1);
  Say(1, R"({"type":"hello","version":2,"ticket":[1]})");
  EXPECT_EQ(Next(1), R"({"type":"bye","reason":"version","text":"This server speaks another version of the game."})");
  EXPECT_EQ(Next(1), "closed 1000 version");
  Say(1, R"({"type":"cancel"})");
  EXPECT_EQ(Next(1), "nothing") << "a connection once closed is forgotten";
  Open(2);
  Say(2, R"({"type":"play","opponent":""})");
  EXPECT_EQ(Next(2), "closed 1008 out of turn");
  Open(4);
  Hello(4, "Ann", "pw");
  Say(4, R"({"type":"cancel"})");
  EXPECT_EQ(Next(4), "closed 1008 out of turn") << "while the password is checked";
  Answer();
  EXPECT_EQ(Next(4), "nothing");
  LogOn(5, "Bob");
  Hello(5, "Bob", "pw");
  EXPECT_EQ(Next(5), "closed 1008 out of turn");
  Open(6);
  Pass(9);
  EXPECT_EQ(Next(6), "nothing");
  Pass(1);
  EXPECT_EQ(Next(6), "closed 1008 no hello");
}

TEST_F(LobbyTest, AnAddressHoldsTwentyConnectionsAtOnce) {
  for (ConnectionId id = 1; id <= 20; ++id) Open(id, "10.0.0.9");
  Open(21, "10.0.0.9");
  EXPECT_EQ(Next(21), R"({"type":"bye","reason":"connections","text":"Too many connections from your address."})");
  Open(22, "10.0.0.8");
  lobby.Closed(1, now);
  Open(23, "10.0.0.9");
  EXPECT_EQ(Next(22) + Next(23), "nothingnothing");
}

TEST_F(LobbyTest, PlayersArePairedByNameEitherWayOrFirstComeFirstPaired) {
  for (ConnectionId id = 1; id <= 6; ++id) LogOn(id, {static_cast<char>('A' + id)}, "pw", std::to_string(id));
  Say(1, R"({"type":"play","opponent":"c"})");
  Say(3, R"({"type":"play","opponent":""})");
  Say(4, R"({"type":"play","opponent":""})");
  EXPECT_EQ(Next(1), R"({"type":"waiting","opponent":"c"})");
  EXPECT_EQ(Next(3), R"({"type":"waiting","opponent":""})");
  EXPECT_EQ(NextType(3), "paired");
  EXPECT_EQ(NextType(4), "waiting");
  EXPECT_EQ(TestClient::Field(Next(4), "opponent"), "D");
  Say(5, R"({"type":"play","opponent":""})");
  EXPECT_EQ(NextType(5), "waiting");
  EXPECT_EQ(Next(5) + Next(1), "nothingnothing") << "a player who names a friend waits for him";
  Say(2, R"({"type":"play","opponent":"B"})");
  EXPECT_EQ(NextType(2), "waiting");
  EXPECT_EQ(TestClient::Field(Next(2), "opponent"), "B");
  EXPECT_EQ(TestClient::Field(Next(1), "opponent"), "C");
  Say(5, R"({"type":"play","opponent":""})");
  EXPECT_EQ(Next(5), "closed 1008 out of turn") << "already waiting";
  Say(6, R"({"type":"leave"})");
  EXPECT_EQ(Next(6), "nothing") << "a leave outside a game is ignored";
  Say(6, R"({"type":"cancel"})");
  EXPECT_EQ(Next(6), "closed 1008 out of turn");
  LogOn(7, "H", "pw", "7");
  Say(7, R"({"type":"play","opponent":"h"})");
  EXPECT_EQ(Next(7), "closed 1008 bad field opponent");
}

TEST_F(LobbyTest, AThrowOutOfTurnOrOrderOrAfterTheOwnEndClosesTheConnection) {
  const auto [a, b] = Game();
  Say(b, Throw(0));
  EXPECT_EQ(Next(b), "closed 1008 out of turn");
  EXPECT_EQ(Next(a), R"({"type":"away","seconds":30})");
  Say(a, Throw(1));
  EXPECT_EQ(Next(a), "closed 1008 out of order");
  LogOn(3, "Cy"), LogOn(4, "Di");
  Say(3, R"({"type":"play","opponent":"Di"})");
  Say(4, R"({"type":"play","opponent":"Cy"})");
  Next(3), Next(3), Next(4), Next(4);
  Say(3, End(0, "Cy"));
  Say(3, Throw(0));
  EXPECT_EQ(Next(3), "closed 1008 out of turn");
  Say(4, End(1, "Cy"));
  EXPECT_EQ(NextType(4), "away");
  EXPECT_EQ(Next(4), "closed 1008 out of order") << "an end beyond the throws there are";
}

TEST_F(LobbyTest, GamesThatDisagreeAreOutOfStepAndNothingIsRecorded) {
  const std::string outOfStep = R"({"type":"ended","reason":"out-of-step","wins":0,"losses":0})";
  auto [a, b] = Game();
  Say(a, Throw(0));
  Say(a, End(1, "Ann"));
  Say(b, End(1, "Bob"));
  EXPECT_EQ(Next(a) + Next(b, 2), outOfStep + Throw(0) + outOfStep);
  std::tie(a, b) = Game();
  Say(a, Throw(0));
  Say(b, End(0, "Bob"));
  EXPECT_EQ(Next(a) + Next(b, 2), outOfStep + Throw(0) + outOfStep) << "an end before the last throw";
  std::tie(a, b) = Game();
  Say(b, R"({"type":"end","n":0,"outOfStep":true})");
  EXPECT_EQ(Next(a) + Next(b), outOfStep + outOfStep);
  EXPECT_TRUE(world.records.empty());
  // What crossed the ended on the wire is let go, and a new game may be asked for.
  Say(a, Throw(1)), Say(a, R"({"type":"leave"})"), Say(a, R"({"type":"end","n":1,"outOfStep":true})");
  Say(a, R"({"type":"play","opponent":""})");
  EXPECT_EQ(Next(a), R"({"type":"waiting","opponent":""})");
}

TEST_F(LobbyTest, ATurnTakesThreeMinutesAtMostAndSoDoesTheWaitForTheSecondEnd) {
  auto [a, b] = Game();
  Pass(179);
  Say(a, Throw(0));
  Pass(179);
  EXPECT_EQ(Next(a), "nothing");
  Pass(1);
  EXPECT_EQ(Next(b), Throw(0));
  EXPECT_EQ(TestClient::Field(Next(b), "losses"), "1") << "he who held the turn";
  EXPECT_EQ(TestClient::Field(Next(a), "reason"), "timeout");
  std::tie(a, b) = Game();
  Say(b, End(0, "Bob"));
  Pass(179);
  EXPECT_EQ(Next(a), "nothing");
  Pass(1);
  EXPECT_EQ(TestClient::Field(Next(a), "reason") + TestClient::Field(Next(b), "winner"), "overBob");
  EXPECT_EQ(world.records.back(), "bob beat ann");
}

TEST_F(LobbyTest, APlayerWhoLeavesLosesUnlessHisOwnEndIsIn) {
  auto [a, b] = Game();
  Say(a, R"({"type":"cancel"})");
  EXPECT_EQ(TestClient::Field(Next(a), "reason") + TestClient::Field(Next(b), "reason"), "leftleft")
      << "a cancel that crossed the pairing";
  std::tie(a, b) = Game();
  Say(a, End(0, "Ann"));
  Say(a, R"({"type":"leave"})");
  lobby.Closed(b, now);
  EXPECT_EQ(Next(a) + Next(b), "nothingnothing") << "who has left hears nothing of the other's drop";
  Pass(30);
  EXPECT_EQ(world.records.back(), "ann beat bob") << "the one report stands when the other drops for good";
}

TEST_F(LobbyTest, ADroppedPlayerHasThirtySecondsToComeBackWithHisToken) {
  const auto [a, b] = Game();
  const std::string token = World::Token(static_cast<int>(a));
  Say(a, Throw(0));
  lobby.Closed(a, now);
  EXPECT_EQ(Next(b, 2), Throw(0) + R"({"type":"away","seconds":30})");
  Say(b, Throw(1));
  Pass(29);
  Resume(3, token, 1);
  EXPECT_EQ(TestClient::Field(Next(3), "resume"), token);
  EXPECT_EQ(Next(3), R"({"type":"rejoined","opponent":")" + std::string(b == 1 ? "Ann" : "Bob") + R"(","first":")" +
                         (a == 1 ? "Ann" : "Bob") + R"(","throws":2})");
  EXPECT_EQ(Next(3, 2), Throw(1) + "nothing");
  EXPECT_EQ(Next(b), R"({"type":"back"})");
  lobby.Closed(3, now);
  Pass(30);
  EXPECT_EQ(NextType(b), "away");
  EXPECT_EQ(TestClient::Field(Next(b), "reason"), "dropped");
  Resume(4, token, 2);
  EXPECT_EQ(TestClient::Field(Next(4), "reason"), "resume");
  EXPECT_EQ(world.records.size(), 1u);
}

TEST_F(LobbyTest, ANewLogOnTakesOverAndTheOlderConnectionLosesItsGame) {
  Game();
  Resume(3, World::Token(1), 0);
  EXPECT_EQ(Next(1), "closed 1000 ") << "an older connection not seen dropping goes without a word";
  EXPECT_EQ(NextType(3), "welcome");
  EXPECT_EQ(NextType(3), "rejoined");
  EXPECT_EQ(Next(2), "nothing") << "his opponent never heard he was away";
  EXPECT_EQ(TestClient::Field(LogOn(4, "ANN"), "losses"), "1");
  EXPECT_EQ(Next(3), R"({"type":"ended","reason":"left","winner":"Bob","wins":0,"losses":1})");
  EXPECT_EQ(Next(3), R"({"type":"bye","reason":"taken-over","text":"Your user name logged on from somewhere else."})");
  EXPECT_EQ(Next(3), "closed 1000 taken-over");
  EXPECT_EQ(TestClient::Field(Next(2), "reason"), "left");
  Resume(5, World::Token(1), 0);
  EXPECT_EQ(TestClient::Field(Next(5), "reason"), "resume");
}

TEST_F(LobbyTest, AGameHoldsAThousandThrows) {
  const auto [a, b] = Game();
  for (int n = 0; n < 1000; ++n) Say(n % 2 ? b : a, Throw(n));
  world.sent.clear();
  Say(a, Throw(999));
  EXPECT_EQ(Next(a), "closed 1008 too many throws");
}

TEST_F(LobbyTest, AReturningPlayerHearsHowLongHisOpponentHasOrHowTheGameEnded) {
  const auto [a, b] = Game();
  lobby.Closed(b, now);
  Pass(10);
  lobby.Closed(a, now);
  Resume(3, World::Token(static_cast<int>(a)), 0);
  EXPECT_EQ(NextType(3), "welcome");
  EXPECT_EQ(NextType(3), "rejoined");
  EXPECT_EQ(Next(3), R"({"type":"away","seconds":20})");
  Say(3, R"({"type":"leave"})");
  Resume(4, World::Token(static_cast<int>(b)), 0);
  EXPECT_EQ(NextType(4), "welcome");
  EXPECT_EQ(TestClient::Field(Next(4), "reason"), "left");
  EXPECT_EQ(Next(4), "nothing");
}
