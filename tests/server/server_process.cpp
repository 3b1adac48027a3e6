#include "server_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

std::filesystem::path NewFolder() {
  char pattern[] = "/tmp/tumbra-server-test-XXXXXX";
  return ::mkdtemp(pattern);
}

}  // namespace

ServerProcess::ServerProcess(std::vector<std::string> options, std::filesystem::path folder)
    : state(folder.empty() ? NewFolder() : folder), ownState_(folder.empty()) {
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
  FILE* lines = ::fdopen(out[0], "r");
  char line[256];
  while (port == 0 && std::fgets(line, sizeof line, lines)) {
    char print[128];
    if (std::sscanf(line, "tumbra-server: certificate fingerprint (SHA-256) %127s", print) == 1) fingerprint = print;
    std::sscanf(line, "tumbra-server: listening on 127.0.0.1:%d", &port);
  }
  std::fclose(lines);
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
  ::waitpid(pid_, &status, 0);
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
