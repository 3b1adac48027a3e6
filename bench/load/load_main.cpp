// tumbra-load: plays many scripted games against a tumbra-server of its own on loopback
// and measures what the server holds and how fast it relays. See LoadUsage.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/ssl/context.hpp>

#include "crowd.h"
#include "load_options.h"
#include "logon_round.h"
#include "server_child.h"

using namespace load;

namespace {

using namespace std::chrono_literals;

// File descriptors the tool needs beside its players' sockets.
constexpr long SpareFiles = 64;
constexpr auto WarmUp = 1s;
constexpr auto Drain = 3s;
constexpr auto ServerStop = 10s;

void Print(const char* name, double value, int decimals = 0) {
  std::printf("%s=%.*f\n", name, decimals, value);
  std::fflush(stdout);
}

double SecondsBetween(Time from, Time to) { return std::chrono::duration<double>(to - from).count(); }

// A player's connection takes a file descriptor; the hard limit is ours to take.
int RaiseFileLimit(long needed) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_max < static_cast<rlim_t>(needed)) return 0;
  limit.rlim_cur = limit.rlim_max;
  return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

// Every handler of the run goes on one thread, which the phases below lend to it in short
// turns; `until` returns when `done` says so, or at `end`, or at the hard limit.
class Runner {
 public:
  Runner(Time deadline, Faults& faults) : deadline_(deadline), faults_(faults) {
    tls.set_verify_mode(asio::ssl::verify_none);
    SSL_CTX_set_min_proto_version(tls.native_handle(), TLS1_2_VERSION);
  }

  template <class Done>
  bool Until(Time end, const char* what, Done done) {
    while (!done()) {
      const Time now = Clock::now();
      if (now >= deadline_) {
        faults_.Add("the hard limit ran out " + std::string(what));
        return false;
      }
      if (now >= end) return false;
      io.run_for(std::min<Clock::duration>(std::min(end, deadline_) - now, 10ms));
    }
    return true;
  }
  void For(Clock::duration span) {
    Until(Clock::now() + span, "", [] { return false; });
  }

  asio::io_context io{1};
  asio::ssl::context tls{asio::ssl::context::tls_client};

 private:
  asio::executor_work_guard<asio::io_context::executor_type> work_{io.get_executor()};
  Time deadline_;
  Faults& faults_;
};

tcp::endpoint Loopback(int port) { return {asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(port)}; }

void PrintLatencies(std::vector<float>& ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  // The smallest value at or above the given share of the throws.
  auto at = [&ms](double share) { return ms[static_cast<std::size_t>(std::ceil(share * ms.size())) - 1]; };
  Print("latency_p50_ms", at(0.5), 2);
  Print("latency_p99_ms", at(0.99), 2);
  Print("latency_max_ms", ms.back(), 2);
}

// The server goes down (SIGTERM) while the players are still read, as it tells each of
// them so.
void StopServer(Runner& runner, ServerChild& server, Faults& faults) {
  server.Terminate();
  if (!runner.Until(Clock::now() + ServerStop, "while the server went down", [&] { return server.Exited(); }))
    faults.Add("tumbra-server did not go down within 10 s");
}

void Scale(const LoadOptions& o, Time deadline, Faults& faults) {
  ServerChild server(o.server, {"--hash-cost", "min"});
  if (!server.port) return faults.Add("tumbra-server did not start:\n" + server.LogTail());
  const long files = OpenFilesLimit(server.pid);
  Print("server_open_files_limit", static_cast<double>(files));
  if (files < o.connections + SpareFiles)
    return faults.Add("the server may open " + std::to_string(files) + " files, too few for the players");
  const long idlePss = PssKib(server.pid);
  Print("server_idle_pss_kib", static_cast<double>(idlePss));

  Runner runner(deadline, faults);
  Crowd crowd(runner.io, runner.tls, Loopback(server.port), o.connections, o.gameThrows, faults);
  const int games = o.connections / 2;
  const Time rampStart = Clock::now();
  runner.Until(Time::max(), "while the players connected", [&] {
    crowd.StartSome();
    return crowd.Playing() == games || faults.count > 0;
  });
  Print("connections", crowd.LoggedOn());
  Print("games", crowd.Playing());
  Print("ramp_seconds", SecondsBetween(rampStart, Clock::now()), 1);
  if (crowd.Playing() < games) return faults.Add("not every game began");

  crowd.StartThrows(o.rate);
  runner.For(WarmUp);
  Latencies& latencies = crowd.latencies;
  const long relayedBefore = latencies.relayed;
  const double cpuBefore = CpuSeconds(server.pid), toolBefore = CpuSeconds(::getpid());
  latencies.from = Clock::now();
  runner.Until(latencies.from + std::chrono::seconds(o.seconds), "while the throws were measured",
               [&] { return faults.count > 0; });
  latencies.to = Clock::now();
  const double cpu = CpuSeconds(server.pid) - cpuBefore, toolCpu = CpuSeconds(::getpid()) - toolBefore;
  const double window = SecondsBetween(latencies.from, latencies.to);
  // With every player connected and every game in play.
  const long pss = PssKib(server.pid), rss = RssKib(server.pid);
  crowd.StopThrows();
  if (!runner.Until(Clock::now() + Drain, "while the last throws arrived", [&] { return crowd.Unsettled() == 0; }))
    faults.Add(std::to_string(crowd.Unsettled()) + " throws never arrived");

  Print("server_pss_kib", static_cast<double>(pss));
  Print("server_rss_kib", static_cast<double>(rss));
  Print("memory_per_connection_kib", static_cast<double>(pss - idlePss) / o.connections, 1);
  Print("throws_per_second", static_cast<double>(latencies.relayed - relayedBefore) / window, 0);
  PrintLatencies(latencies.milliseconds);
  Print("server_cpu_percent", 100 * cpu / window, 1);
  Print("tool_cpu_percent", 100 * toolCpu / window, 1);
  crowd.Closing();
  StopServer(runner, server, faults);
}

// Log-ons at the server's default cost: the names are registered first, then each player
// logs on to his account again, all at once; the rate is that of the second round.
void Logons(const LoadOptions& o, Time deadline, Faults& faults) {
  ServerChild server(o.server, {});
  if (!server.port) return faults.Add("tumbra-server did not start:\n" + server.LogTail());
  Runner runner(deadline, faults);
  const tcp::endpoint endpoint = Loopback(server.port);
  LogonRound registering(runner.io, runner.tls, o.logons, true, faults);
  Time start = Clock::now();
  registering.Start(endpoint);
  if (!runner.Until(Time::max(), "while names were registered", [&] { return registering.Done(); })) return;
  Print("registrations_per_second", registering.Welcomed() / SecondsBetween(start, registering.lastWelcome), 1);

  LogonRound logging(runner.io, runner.tls, o.logons, false, faults);
  start = Clock::now();
  logging.Start(endpoint);
  if (!runner.Until(Time::max(), "while players logged on", [&] { return logging.Done(); })) return;
  Print("logons", logging.Welcomed());
  Print("logons_per_second", logging.Welcomed() / SecondsBetween(start, logging.lastWelcome), 1);
  StopServer(runner, server, faults);
}

}  // namespace

int main(int argc, char** argv) {
  LoadOptions options;
  std::string error;
  if (!ParseLoadOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "tumbra-load: %s\n%s", error.c_str(), LoadUsage);
    return 2;
  }
  if (options.help) return std::fputs(LoadUsage, stdout), 0;
  if (!RaiseFileLimit(std::max(options.connections, options.logons) + SpareFiles)) {
    std::fprintf(stderr, "tumbra-load: the limit of open files is too low for %d players\n", options.connections);
    return 1;
  }
  const Time deadline = Clock::now() + std::chrono::seconds(options.limit);
  Faults faults;
  Print("load_average_before", LoadAverage(), 2);
  Scale(options, deadline, faults);
  if (options.logons > 0 && faults.count == 0) Logons(options, deadline, faults);
  Print("load_average_after", LoadAverage(), 2);
  Print("faults", faults.count);
  for (const std::string& fault : faults.first) std::fprintf(stderr, "tumbra-load: %s\n", fault.c_str());
  return faults.count ? 1 : 0;
}
