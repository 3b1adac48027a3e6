// The game's connection against a real server: the certificate question, log-on, pairing,
// a throw relayed, a dropped line that comes back, and the ends the game's scripts cannot reach.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "net/net_client.h"
#include "server_process.h"

namespace {

using namespace std::chrono_literals;

// A client whose events can be waited for, five seconds at most each.
class Player {
 public:
  Player() : client([this] { Queued(); }) {}

  void LogOn(int port, const std::string& user, const std::string& trusted = "") {
    net::LogOn logOn;
    logOn.server = {"127.0.0.1", port};
    logOn.user = user;
    logOn.password = "secret";
    logOn.trustedFingerprint = trusted;
    logOn.resumeSeconds = 5;
    client.Start(logOn);
  }
  net::Event Next() {
    std::unique_lock<std::mutex> hold(lock_);
    net::Event event;
    queued_.wait_for(hold, 5s, [&] { return client.TakeEvent(event) || (event.kind = net::Event::Failed, false); });
    return event;
  }
  // The next event, which must be a message of type T.
  template <typename T>
  T Next() {
    net::Event event = Next();
    EXPECT_EQ(event.kind, net::Event::Message) << event.text;
    const T* message = std::get_if<T>(&event.message);
    EXPECT_TRUE(message) << "message " << event.message.index();
    return message ? *message : T{};
  }

  net::Client client;

 private:
  void Queued() {
    std::lock_guard<std::mutex> hold(lock_);
    queued_.notify_all();
  }
  std::mutex lock_;
  std::condition_variable queued_;
};

}  // namespace

TEST(GameConnection, AnUnknownCertificateIsAskedAboutThenTwoPlayersMeetThrowAndComeBackAfterADrop) {
  ServerProcess server({"--resume-seconds", "10"});
  Player ann, bob;
  ann.LogOn(server.port, "Ann");
  net::Event question = ann.Next();
  ASSERT_EQ(question.kind, net::Event::Certificate);
  EXPECT_EQ(question.fingerprint, server.fingerprint);
  ann.client.AnswerCertificate(true);
  EXPECT_TRUE(ann.Next<protocol::Welcome>().registered);
  bob.LogOn(server.port, "Bob", server.fingerprint);
  EXPECT_EQ(bob.Next<protocol::Welcome>().user, "Bob");

  ann.client.Send(protocol::Play{"bob"});
  EXPECT_EQ(ann.Next<protocol::Waiting>().opponent, "bob");
  bob.client.Send(protocol::Play{"ANN"});
  bob.Next<protocol::Waiting>();
  const protocol::Paired paired = ann.Next<protocol::Paired>();
  EXPECT_EQ(paired.opponent, "Bob");
  EXPECT_EQ(bob.Next<protocol::Paired>().first, paired.first);
  Player& first = paired.first == "Ann" ? ann : bob;
  Player& second = paired.first == "Ann" ? bob : ann;

  const protocol::Throw opening{0, 91, 49, 88, 52, 17, 0};
  first.client.Send(opening);
  EXPECT_EQ(second.Next<protocol::Throw>(), opening);

  // The second thrower's line drops as he throws: he comes back, and his throw arrives
  // once, in its place.
  const protocol::Throw reply{1, 70, 200, 70, 200, 5, -1};
  second.client.Drop();
  second.client.Send(reply);
  EXPECT_EQ(second.Next().kind, net::Event::Lost);
  EXPECT_EQ(second.Next<protocol::Welcome>().user, paired.first == "Ann" ? "Bob" : "Ann");
  EXPECT_EQ(second.Next<protocol::Rejoined>().throws, 1);
  EXPECT_EQ(first.Next<protocol::Away>().seconds, 10);
  first.Next<protocol::Back>();
  EXPECT_EQ(first.Next<protocol::Throw>(), reply);
}

// What the game's scripts cannot make happen: a line lost out of a game, and a server
// that closes on a message it will not take.
TEST(GameConnection, ALineLostOutOfAGameOrClosedByTheServerIsToldWithItsReason) {
  ServerProcess server;
  Player taken;
  taken.LogOn(server.port, "Cy", server.fingerprint);
  taken.Next<protocol::Welcome>();
  taken.client.Drop();
  EXPECT_EQ(taken.Next().text, "Lost the connection to the server.") << "out of a game there is nothing to resume";
  taken.client.Close();

  Player early;
  early.LogOn(server.port, "Di", server.fingerprint);
  early.Next<protocol::Welcome>();
  early.client.Send(protocol::Throw{0, 91, 49, 88, 52, 17, 0});
  EXPECT_EQ(early.Next().text, "The server closed the connection: out of turn.");
}
