#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace load {

// A tumbra-server of the run's own, on 127.0.0.1 at a port the system picks, with a new
// state folder that goes with it. What it writes to standard error is kept in a file of
// that folder, for a run that fails.
class ServerChild {
 public:
  // Waits ten seconds at most for it to say where it listens; port is 0 when it did not.
  ServerChild(const std::string& binary, const std::vector<std::string>& options);
  ~ServerChild();
  ServerChild(const ServerChild&) = delete;
  ServerChild& operator=(const ServerChild&) = delete;

  int port = 0;
  pid_t pid = -1;

  // Asks it to go down (SIGTERM); Exited() says when it has.
  void Terminate();
  bool Exited();
  // The last lines it wrote to standard error.
  std::string LogTail() const;

 private:
  std::filesystem::path state_;
};

// Figures of a running process from /proc; -1 when they cannot be read.
long PssKib(pid_t pid);
long RssKib(pid_t pid);
// User and system time, all threads together.
double CpuSeconds(pid_t pid);
// The soft limit of open files.
long OpenFilesLimit(pid_t pid);
// The one-minute load average of the machine.
double LoadAverage();

}  // namespace load
