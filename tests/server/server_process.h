#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// A real tumbra-server on 127.0.0.1 at a port the system picks, with a state folder of
// its own, passwords hashed at the least cost, and whatever options the test adds.
class ServerProcess {
 public:
  explicit ServerProcess(std::vector<std::string> options = {},
                         std::filesystem::path state = std::filesystem::path());
  ~ServerProcess();
  int port = 0;
  std::string fingerprint;  // as the server printed it
  std::filesystem::path state;
  void Terminate();
  // SIGTERM, and the exit status.
  int Stop();
  // Runs `tumbra-server --state STATE ARGS` to its end with `input` on standard input;
  // the exit status, and its standard output in `output`.
  static int Admin(const std::filesystem::path& state, const std::string& args, const std::string& input,
                   std::string* output = nullptr);

 private:
  pid_t pid_ = -1;
  bool ownState_ = false;
};
