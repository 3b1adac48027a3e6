#include "replay_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

ReplayProcess::ReplayProcess(const std::string& program, const std::string& folder) {
  int in[2], out[2];
  // Close-on-exec, so that replays started by other threads do not hold these pipes
  // open and keep this one from seeing the end of its script.
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return;
  }
  const std::string errors = folder + "/replay.err";
  pid_ = fork();
  if (pid_ == 0) {
    // Only async-signal-safe calls between fork and exec.
    int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (chdir(folder.c_str()) != 0 || dup2(in[0], 0) < 0 || dup2(out[1], 1) < 0 || err < 0 ||
        dup2(err, 2) < 0)
      _exit(127);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  toChild_ = in[1];
  fromChild_ = out[0];
  if (pid_ < 0) {
    close(toChild_);
    close(fromChild_);
    toChild_ = fromChild_ = -1;
  }
}

ReplayProcess::~ReplayProcess() {
  if (toChild_ >= 0) close(toChild_);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    Wait();
  }
  if (fromChild_ >= 0) close(fromChild_);
}

bool ReplayProcess::Send(const std::string& lines) {
  for (size_t done = 0; done < lines.size();) {
    ssize_t n = write(toChild_, lines.data() + done, lines.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReplayProcess::ReadLine(std::string& line, int timeoutMs) {
  for (;;) {
    size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return true;
    }
    pollfd wait{fromChild_, POLLIN, 0};
    int ready = poll(&wait, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char buffer[65536];
    ssize_t n = read(fromChild_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    outputEnded_ = n == 0;
    if (n <= 0) return false;
    pending_.append(buffer, static_cast<size_t>(n));
  }
}

int ReplayProcess::Finish(std::vector<std::string>& lastLines, int timeoutMs) {
  if (toChild_ >= 0) close(toChild_);
  toChild_ = -1;
  if (pid_ <= 0) return -1;
  for (std::string line; ReadLine(line, timeoutMs);) lastLines.push_back(line);
  // Its output went quiet without ending: it hangs on its way out.
  if (!outputEnded_) {
    kill(pid_, SIGKILL);
    Wait();
    return -1;
  }
  return Wait();
}

int ReplayProcess::Wait() {
  int status = 0;
  pid_t ended;
  while ((ended = waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
