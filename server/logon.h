#pragma once
#include "server/accounts.h"
#include "server/lobby.h"
#include "server/secrets.h"

namespace server {

// The work of a password log-on, done on a worker thread: find the account, verify the
// password against its hash, or register the name when the request allows it. The
// request's password is wiped before the answer goes back.
LogonAnswer CheckLogon(AccountStore& store, LogonRequest request, HashCost cost);

}  // namespace server
