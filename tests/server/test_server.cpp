// The real tumbra-server over TLS on loopback, with scripted players.
#include <gtest/gtest.h>

#include <cstdlib>

#include "server_process.h"
#include "test_client.h"

namespace {

std::string Field(const std::string& message, const std::string& name) { return TestClient::Field(message, name); }

// Ann and Bob logged on and paired by name.
struct Table {
  TestClient ann, bob;
  TestClient* second = nullptr;  // who throws second

  explicit Table(int port) : ann(port), bob(port) {
    ann.LogOn("Ann", "pw");
    bob.LogOn("Bob", "pw");
    ann.Send(R"({"type":"play","opponent":"Bob"})");
    bob.Send(R"({"type":"play","opponent":"ann"})");
    ann.Next(), ann.Next(), bob.Next();  // waiting, paired; waiting
    second = Field(bob.Next(), "first") == "Ann" ? &bob : &ann;
  }
};

}  // namespace

TEST(ServerOverTls, AGameIsRecordedAndTheStateFolderKeepsItForTheNextRun) {
  ServerProcess server;
  {
    Table table(server.port);
    // A game of no throws, whose two ends name the winner spelled two ways.
    table.ann.Send(R"({"type":"end","n":0,"winner":"Bob"})");
    table.bob.Send(R"({"type":"end","n":0,"winner":"BOB"})");
    EXPECT_EQ(table.ann.Next(), R"({"type":"ended","reason":"over","winner":"Bob","wins":0,"losses":1})");
    EXPECT_EQ(table.bob.Next(), R"({"type":"ended","reason":"over","winner":"Bob","wins":1,"losses":0})");
    server.Terminate();
    for (TestClient* player : {&table.ann, &table.bob}) {
      EXPECT_EQ(player->Next(), R"({"type":"bye","reason":"shutdown","text":"The server is going down."})");
      EXPECT_EQ(player->Next(), "closed 1001 shutdown");
    }
    EXPECT_EQ(server.Stop(), 0);
  }
  // The state folder keeps the certificate, the records and the accounts the admin commands make.
  ServerProcess again({"--no-registration"}, server.state);
  EXPECT_EQ(again.fingerprint, server.fingerprint);
  TestClient bob(again.port);
  EXPECT_EQ(Field(bob.LogOn("BOB", "pw"), "wins"), "1");
  const std::filesystem::path& state = again.state;
  EXPECT_EQ(ServerProcess::Admin(state, "--port", ""), 2) << "an option without its value";
  EXPECT_EQ(ServerProcess::Admin(state, "--hash-cost max user list", ""), 2);
  EXPECT_EQ(ServerProcess::Admin(state, "user add Zoe", "pw\n"), 0);
  EXPECT_EQ(ServerProcess::Admin(state, "user add zoe", "pw\n"), 1) << "taken";
  EXPECT_EQ(ServerProcess::Admin(state, "user add Cy", "sixteen bytes...\n"), 1);
  TestClient zoe(again.port), cy(again.port);
  EXPECT_EQ(Field(zoe.LogOn("ZOE", "pw"), "user"), "Zoe");
  EXPECT_EQ(Field(cy.LogOn("Cy", "pw"), "reason"), "credentials");
  EXPECT_EQ(ServerProcess::Admin(state, "user passwd Zoe", "new\n"), 0);
  TestClient newer(again.port);
  EXPECT_EQ(Field(newer.LogOn("Zoe", "new"), "type"), "welcome");
  std::string list;
  EXPECT_EQ(ServerProcess::Admin(state, "user list", "", &list), 0);
  EXPECT_EQ(list, "Ann\t0\t1\nBob\t1\t0\nZoe\t0\t0\n");
  EXPECT_EQ(ServerProcess::Admin(state, "user remove ZOE", ""), 0);
  EXPECT_EQ(ServerProcess::Admin(state, "user remove Zoe", ""), 1);
  std::filesystem::create_directories(state / "broken" / "accounts.db");
  EXPECT_EQ(ServerProcess::Admin(state / "broken", "user list", ""), 1);
}

TEST(ServerOverTls, TheConnectionKeepsItsOwnLimits) {
  ServerProcess server;
  TestClient ann(server.port);
  ann.LogOn("Ann", "pw");
  // A client without TLS leaves OpenSSL's errors behind, which must not fail another's.
  const std::string plain = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(server.port) + "; echo GET / >&3; cat <&3";
  EXPECT_EQ(std::system(("timeout 10 bash -c '" + plain + " || true' >/dev/null").c_str()), 0);
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
}

TEST(ServerOverTls, TheServerKeepsTheLimitsItIsGiven) {
  ServerProcess server({"--max-per-address", "2", "--turn-seconds", "1"});
  Table table(server.port);
  TestClient third(server.port);
  EXPECT_EQ(Field(third.Next(), "reason"), "connections");
  const std::string ended = table.second->Next();
  EXPECT_EQ(Field(ended, "reason") + " " + Field(ended, "wins"), "timeout 1") << "a turn not thrown in time";
  ServerProcess taken({"--port", std::to_string(server.port)});
  EXPECT_EQ(taken.Stop(), 1) << "its port is taken";
}
