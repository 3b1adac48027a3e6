#pragma once
#include "server/options.h"

struct ssl_ctx_st;

namespace server {

class WorkerPool;

// Listens, hands every connection's messages to the lobby, and runs until SIGTERM or
// SIGINT, when every player is told the server is going down. The pool is stopped before
// it returns, so that the results it still holds reach the database. Prints
// "tumbra-server: listening on ADDRESS:PORT" once ready. Returns the exit code.
int RunNetwork(const ServerOptions& options, ssl_ctx_st& tls, WorkerPool& pool);

}  // namespace server
