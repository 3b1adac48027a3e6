// tumbra-server: the accounts, the pairing and the games of Tumbra's Internet game.
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <thread>

#include "server/accounts.h"
#include "server/admin.h"
#include "server/certificate.h"
#include "server/log.h"
#include "server/network.h"
#include "server/options.h"
#include "server/worker_pool.h"

using namespace server;

namespace {

// A connection is a file descriptor: ten thousand players need more than the usual soft
// limit of 1024, and the hard limit is ours to take.
void RaiseFileLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
  }
}

// One core stays with the network thread; the others hash passwords.
int Workers() {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores - 1, 1, 4);
}

int Serve(const ServerOptions& options) {
  // OpenSSL writes to the socket itself: a client gone away must not end the server.
  std::signal(SIGPIPE, SIG_IGN);
  RaiseFileLimit();
  std::string error;
  if (!MakeStateFolder(options.state, error)) return Log(error), 1;
  const std::string database = options.state + "/accounts.db";
  {
    const AccountStore store(database);
    if (!store.Ok()) return Log("account database " + database + ": " + store.Error()), 1;
  }
  std::string cert = options.cert, key = options.key;
  if (cert.empty() && !OwnCertificate(options.state, cert, key, error)) return Log(error), 1;
  const TlsContext tls = MakeTlsContext(cert, key, error);
  if (!tls) return Log(error), 1;
  std::printf("tumbra-server: certificate fingerprint (SHA-256) %s\n", Fingerprint(cert).c_str());
  WorkerPool pool(database, Workers());
  return RunNetwork(options, *tls, pool);
}

}  // namespace

int main(int argc, char** argv) {
  // The database holds password hashes and the folder a private key: files for us alone.
  ::umask(077);
  ServerOptions options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    Log(error);
    std::fputs(Usage, stderr);
    return 2;
  }
  if (options.help) return std::fputs(Usage, stdout), 0;
  if (!SecretsReady()) return Log("libsodium cannot start"), 1;
  return options.command.empty() ? Serve(options) : RunAdmin(options);
}
