// The real tumbra-server over TLS on loopback, with scripted players.
#include <gtest/gtest.h>

#include "server_process.h"
#include "test_client.h"

namespace {

std::string Field(const std::string& message, const std::string& name) { return TestClient::Field(message, name); }

std::string Throw(int n) {
  return R"({"type":"throw","n":)" + std::to_string(n) +
         R"(,"power":100,"aim":200,"flightPower":95,"flightAim":205,"bounce":5,"result":-1})";
}

// Ann and Bob logged on and paired by name.
struct Table {
  TestClient ann, bob;
  TestClient *first = nullptr, *second = nullptr;

  explicit Table(int port) : ann(port), bob(port) {
    ann.LogOn("Ann", "pw");
    bob.LogOn("Bob", "pw");
    ann.Send(R"({"type":"play","opponent":"Bob"})");
    bob.Send(R"({"type":"play","opponent":"ann"})");
    ann.Next("paired");
    const bool annFirst = Field(bob.Next("paired"), "first") == "Ann";
    first = annFirst ? &ann : &bob;
    second = annFirst ? &bob : &ann;
  }
};

}  // namespace

TEST(ServerOverTls, TwoPlayersPlayAWholeGameWhichIsRecordedAndKept) {
  ServerProcess server;
  ASSERT_GT(server.port, 0);
  {
    Table table(server.port);
    EXPECT_EQ(table.ann.fingerprint, server.fingerprint);
    EXPECT_EQ(server.fingerprint.size(), 32u * 3 - 1);
    table.first->Send(Throw(0));
    EXPECT_EQ(table.second->Next(), Throw(0));
    table.ann.Send(R"({"type":"end","n":1,"winner":"Bob"})");
    table.bob.Send(R"({"type":"end","n":1,"winner":"Bob"})");
    EXPECT_EQ(table.ann.Next(), R"({"type":"ended","reason":"over","winner":"Bob","wins":0,"losses":1})");
    EXPECT_EQ(table.bob.Next(), R"({"type":"ended","reason":"over","winner":"Bob","wins":1,"losses":0})");
    server.Terminate();
    for (TestClient* player : {&table.ann, &table.bob}) {
      EXPECT_EQ(player->Next(), R"({"type":"bye","reason":"shutdown","text":"The server is going down."})");
      EXPECT_EQ(player->Next(), "closed 1001 shutdown");
    }
    EXPECT_EQ(server.Stop(), 0);
  }
  ServerProcess again({}, server.state);
  EXPECT_EQ(again.fingerprint, server.fingerprint) << "the certificate is made once and kept";
  TestClient bob(again.port), ann(again.port);
  EXPECT_EQ(Field(bob.LogOn("BOB", "pw"), "wins"), "1");
  EXPECT_EQ(Field(ann.LogOn("Ann", "pw"), "losses"), "1");
}

TEST(ServerOverTls, ATurnNotThrownInTimeLosesTheGame) {
  ServerProcess server({"--turn-seconds", "1"});
  Table table(server.port);
  const std::string ended = table.second->Next();
  EXPECT_EQ(Field(ended, "reason") + " " + Field(ended, "wins"), "timeout 1");
}

TEST(ServerOverTls, TheConnectionKeepsItsOwnLimits) {
  ServerProcess server;
  TestClient ann(server.port);
  ann.LogOn("Ann", "pw");
  // A client without TLS leaves OpenSSL's errors behind, which must not fail another's.
  TestClient::SpeakPlainly(server.port, "GET / HTTP/1.1\r\n\r\n");
  ann.Send(R"({"type":"play","opponent":""})");
  EXPECT_EQ(ann.Next(), R"({"type":"waiting","opponent":""})");
  ann.Send(R"({"type":"cancel"})");
  EXPECT_EQ(ann.Next(), R"({"type":"cancelled"})");
  TestClient biggest(server.port);
  biggest.Send(std::string(4096, ' '));
  EXPECT_EQ(biggest.Next(), "closed 1008 not json");
  TestClient tooBig(server.port);
  tooBig.Send(std::string(4097, ' '));
  EXPECT_EQ(tooBig.Next(), "closed 1009 too big");
  TestClient binary(server.port);
  binary.Send("{}", true);
  EXPECT_EQ(binary.Next(), "closed 1008 binary frame");
  TestClient path(server.port, "/game");
  EXPECT_EQ(path.httpStatus, 404);
  EXPECT_FALSE(path.open);
}

TEST(ServerOverTls, AnAddressHoldsAsManyConnectionsAsItIsAllowed) {
  ServerProcess server({"--max-per-address", "2"});
  TestClient one(server.port), two(server.port), three(server.port);
  EXPECT_EQ(Field(three.Next(), "reason"), "connections");
  EXPECT_EQ(Field(two.LogOn("Ann", "pw"), "type"), "welcome");
  ServerProcess taken({"--port", std::to_string(server.port)});
  EXPECT_EQ(taken.port, 0);
  EXPECT_EQ(taken.Stop(), 1) << "its port is taken";
}

TEST(ServerOverTls, TheAdminCommandsKeepTheAccountsOfTheStateFolder) {
  ServerProcess server({"--no-registration"});
  EXPECT_EQ(ServerProcess::Admin(server.state, "--port", ""), 2) << "an option without its value";
  EXPECT_EQ(ServerProcess::Admin(server.state, "--hash-cost max user list", ""), 2);
  EXPECT_EQ(ServerProcess::Admin(server.state, "user add Zoe", "pw\n"), 0);
  EXPECT_EQ(ServerProcess::Admin(server.state, "user add zoe", "pw\n"), 1) << "taken";
  EXPECT_EQ(ServerProcess::Admin(server.state, "user add Bob", "sixteen bytes...\n"), 1);
  TestClient zoe(server.port), bob(server.port);
  EXPECT_EQ(Field(zoe.LogOn("ZOE", "pw"), "user"), "Zoe");
  EXPECT_EQ(Field(bob.LogOn("Bob", "pw"), "reason"), "credentials");
  EXPECT_EQ(ServerProcess::Admin(server.state, "user passwd Zoe", "new\n"), 0);
  TestClient newer(server.port);
  EXPECT_EQ(Field(newer.LogOn("Zoe", "new"), "type"), "welcome");
  std::string list;
  EXPECT_EQ(ServerProcess::Admin(server.state, "user list", "", &list), 0);
  EXPECT_EQ(list, "Zoe\t0\t0\n");
  EXPECT_EQ(ServerProcess::Admin(server.state, "user remove ZOE", ""), 0);
  EXPECT_EQ(ServerProcess::Admin(server.state, "user remove Zoe", ""), 1);
  std::filesystem::create_directories(server.state / "broken" / "accounts.db");
  EXPECT_EQ(ServerProcess::Admin(server.state / "broken", "user list", ""), 1);
}
