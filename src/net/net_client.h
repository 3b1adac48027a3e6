#pragma once
#include <functional>
#include <memory>
#include <string>

#include "net/server_address.h"
#include "protocol/messages.h"

// The game's connection to a Tumbra server. It runs on a thread of its own: it connects,
// makes sure of the server's certificate, logs on, and keeps the connection through a
// game, coming back with its resume token when the line drops. What happens reaches the
// game as events, one at a time and in order; the game never waits on the network.
namespace net {

struct Event {
  enum Kind {
    Message,      // a message from the server
    Certificate,  // the system does not vouch for the server's certificate: trust it?
    Lost,         // the connection dropped during a game; the client is trying to come back
    Failed,       // the connection is over for good; `text` says why, for the player
  };
  Kind kind = Message;
  protocol::ServerMessage message;
  std::string text;
  std::string fingerprint;  // Certificate: the certificate's, for the player to compare
};

struct LogOn {
  ServerAddress server;
  std::string user, password;
  // The fingerprint the player trusted for this server before, or empty.
  std::string trustedFingerprint;
  // How long the client keeps trying to come back into a game after a drop.
  int resumeSeconds = protocol::ResumeSeconds;
};

class Client {
 public:
  // `eventQueued` is called on the network thread each time an event is queued, so that
  // the game can be woken; it must not call back into the client.
  explicit Client(std::function<void()> eventQueued);
  ~Client();  // as Close
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // Connects and logs on; every step's outcome comes as an event. Once only.
  void Start(const LogOn& logOn);
  // The player's answer to a Certificate event: go on and log on, or hang up.
  void AnswerCertificate(bool trusted);
  // Queues a message for the server; sent in order. Throws are kept for a resume.
  void Send(const protocol::ClientMessage& message);
  // The next event, on the game's thread; false when none is waiting.
  bool TakeEvent(Event& out);
  // Cuts the connection without a word, as a failing network would.
  void Drop();
  // Says goodbye to the server (briefly) and ends the thread. No event follows.
  void Close();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The SHA-256 fingerprint of a DER certificate, as upper-case hex pairs joined by colons.
std::string Fingerprint(const unsigned char* der, int length);

}  // namespace net
