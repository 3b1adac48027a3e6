#pragma once
#include <memory>
#include <string>

// A player's end of a connection to a tumbra-server on 127.0.0.1, blocking, with every
// wait bounded: TLS (any certificate), then the WebSocket handshake on `path`.
class TestClient {
 public:
  TestClient(int port, const std::string& path = "/");
  ~TestClient();
  int httpStatus = 0;  // of a handshake the server refused

  void Send(const std::string& text, bool binary = false);
  // The next message, "closed CODE REASON" once the server has closed, or "silence".
  std::string Next();
  // Sends the hello of a password log-on and returns the answer.
  std::string LogOn(const std::string& user, const std::string& password);
  // The value of a string or number field of a message, as text.
  static std::string Field(const std::string& message, const std::string& name);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
