#pragma once
#include "server/options.h"

namespace server {

// The account commands of `tumbra-server user ...`, on the database of the state folder.
// A password is read from standard input (without echo on a terminal), never from the
// command line. Returns the exit code.
int RunAdmin(const ServerOptions& options);

// Makes the state folder, readable by its owner alone, when it is missing.
int MakeStateFolder(const std::string& folder, std::string& error);

}  // namespace server
