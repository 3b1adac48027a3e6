#include "platform/quit_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

int Pipe[2] = {-1, -1};

// Async-signal-safe: one write, errno kept for the code it interrupted. A full pipe
// already holds a signal that nobody has taken, so a failed write loses nothing.
void OnQuitSignal(int number) {
  const int saved = errno;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] ssize_t written = ::write(Pipe[1], &byte, 1);
  errno = saved;
}

bool MakePipe() {
  if (::pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  // Restarted, so that a read or write elsewhere never fails for the signal's sake.
  action.sa_flags = SA_RESTART;
  for (int number : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(number, &action, nullptr);
  return true;
}

}  // namespace

bool InstallQuitSignals() {
  static const bool installed = MakePipe();
  return installed;
}

int QuitSignalFd() { return Pipe[0]; }

bool TakeQuitSignal() {
  if (Pipe[0] < 0) return false;
  bool taken = false;
  char bytes[16];
  while (::read(Pipe[0], bytes, sizeof bytes) > 0) taken = true;
  return taken;
}

void SleepUnlessQuitSignal(std::uint32_t ms) {
  if (Pipe[0] < 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  pollfd watch{Pipe[0], POLLIN, 0};
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0 || ::poll(&watch, 1, static_cast<int>(left.count())) > 0) return;
  }
}
