#include "script_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/quit_signals.h"

ScriptInput::int_type ScriptInput::underflow() {
  pollfd watch[2] = {{STDIN_FILENO, POLLIN, 0}, {QuitSignalFd(), POLLIN, 0}};
  while (::poll(watch, 2, -1) < 0)
    if (errno != EINTR) return traits_type::eof();
  if (watch[1].revents & POLLIN) return traits_type::eof();
  const ssize_t count = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
  if (count <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + count);
  return traits_type::to_int_type(buffer_[0]);
}
