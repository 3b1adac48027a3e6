#include "server_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

ServerProcess::ServerProcess(std::vector<std::string> options, std::filesystem::path folder)
    : state(folder), ownState_(folder.empty()) {
  char pattern[] = "/tmp/tumbra-server-test-XXXXXX";
  if (ownState_) state = ::mkdtemp(pattern);
  std::vector<std::string> args = {TUMBRA_SERVER_BINARY, "--listen", "127.0.0.1", "--port", "0",
                                   "--state", state.string(), "--hash-cost", "min"};
  args.insert(args.end(), options.begin(), options.end());
  int out[2];
  if (::pipe(out) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  // What it prints until it says where it listens, ten seconds at most for each part.
  std::string printed;
  pollfd ready{out[0], POLLIN, 0};
  char chunk[256];
  ssize_t got = 0;
  while (port == 0 && ::poll(&ready, 1, 10000) > 0 && (got = ::read(out[0], chunk, sizeof chunk)) > 0) {
    printed.append(chunk, static_cast<std::size_t>(got));
    const std::size_t at = printed.find("listening on 127.0.0.1:");
    if (at != std::string::npos && printed.find('\n', at) != std::string::npos) port = std::atoi(&printed[at + 23]);
  }
  ::close(out[0]);
  const std::size_t print = printed.find("(SHA-256) ");
  if (print != std::string::npos) fingerprint = printed.substr(print + 10, printed.find('\n', print) - print - 10);
}

ServerProcess::~ServerProcess() {
  Stop();
  if (ownState_) std::filesystem::remove_all(state);
}

void ServerProcess::Terminate() { ::kill(pid_, SIGTERM); }

int ServerProcess::Stop() {
  if (pid_ <= 0) return -1;
  ::kill(pid_, SIGTERM);
  int status = 0;
  // A server that is not down within ten seconds fails the test rather than hangs it.
  for (int tenths = 0; ::waitpid(pid_, &status, WNOHANG) == 0; ++tenths) {
    if (tenths == 100) ::kill(pid_, SIGKILL);
    ::usleep(100000);
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int ServerProcess::Admin(const std::filesystem::path& state, const std::string& args, const std::string& input,
                         std::string* output) {
  const std::string command = "printf '%s' '" + input + "' | " + TUMBRA_SERVER_BINARY + " --hash-cost min --state " +
                              state.string() + " " + args;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe))
    if (output) *output += buffer;
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
