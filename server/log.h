#pragma once
#include <cstdio>
#include <string>

namespace server {

// One line on standard error, which systemd keeps in the journal. Never a password.
inline void Log(const std::string& line) { std::fprintf(stderr, "tumbra-server: %s\n", line.c_str()); }

}  // namespace server
