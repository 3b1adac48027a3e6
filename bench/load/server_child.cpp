#include "server_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

namespace load {

namespace {

constexpr int StartMilliseconds = 10000;
constexpr const char* Listening = "listening on 127.0.0.1:";

// The number after `key` on the first line of `file` that starts with it.
long Field(const std::string& file, const std::string& key) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + key.size());
  return -1;
}

std::string Proc(pid_t pid, const char* name) { return "/proc/" + std::to_string(pid) + "/" + name; }

}  // namespace

ServerChild::ServerChild(const std::string& binary, const std::vector<std::string>& options) {
  char pattern[] = "/tmp/tumbra-load-XXXXXX";
  if (!::mkdtemp(pattern)) return;
  state_ = pattern;
  std::vector<std::string> args = {binary, "--listen", "127.0.0.1", "--port", "0", "--state", state_.string()};
  args.insert(args.end(), options.begin(), options.end());
  const std::string log = (state_ / "server.log").string();
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  pid = ::fork();
  if (pid == 0) {
    const int err = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out[1], STDOUT_FILENO);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  std::string printed;
  pollfd ready{out[0], POLLIN, 0};
  char chunk[256];
  ssize_t got = 0;
  while (pid > 0 && port == 0 && ::poll(&ready, 1, StartMilliseconds) > 0 &&
         (got = ::read(out[0], chunk, sizeof chunk)) > 0) {
    printed.append(chunk, static_cast<std::size_t>(got));
    const std::size_t at = printed.find(Listening);
    if (at != std::string::npos && printed.find('\n', at) != std::string::npos)
      port = std::atoi(&printed[at + std::char_traits<char>::length(Listening)]);
  }
  ::close(out[0]);
}

ServerChild::~ServerChild() {
  if (pid > 0 && !Exited()) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  std::error_code ignored;
  if (!state_.empty()) std::filesystem::remove_all(state_, ignored);
}

void ServerChild::Terminate() {
  if (pid > 0) ::kill(pid, SIGTERM);
}

bool ServerChild::Exited() {
  if (pid <= 0) return true;
  if (::waitpid(pid, nullptr, WNOHANG) != pid) return false;
  pid = -1;
  return true;
}

std::string ServerChild::LogTail() const {
  std::ifstream in(state_ / "server.log");
  std::deque<std::string> last;
  for (std::string line; std::getline(in, line);) {
    last.push_back(line + "\n");
    if (last.size() > 10) last.pop_front();
  }
  std::string tail;
  for (const std::string& line : last) tail += line;
  return tail;
}

long PssKib(pid_t pid) { return Field(Proc(pid, "smaps_rollup"), "Pss:"); }

long RssKib(pid_t pid) { return Field(Proc(pid, "status"), "VmRSS:"); }

double CpuSeconds(pid_t pid) {
  std::ifstream in(Proc(pid, "stat"));
  std::string stat;
  std::getline(in, stat);
  // The name in parentheses may hold spaces; the fields after it are counted from the
  // state, the third: utime is the fourteenth, stime the fifteenth.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string skip;
  for (int i = 3; i < 14; ++i) fields >> skip;
  double utime = 0, stime = 0;
  if (!(fields >> utime >> stime)) return -1;
  return (utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

long OpenFilesLimit(pid_t pid) { return Field(Proc(pid, "limits"), "Max open files"); }

double LoadAverage() {
  std::ifstream in("/proc/loadavg");
  double load = -1;
  in >> load;
  return load;
}

}  // namespace load
