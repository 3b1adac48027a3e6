#pragma once
#include <string>
#include <string_view>

// Where the server setting points: a host name or address, with ":PORT" when the server
// is not on the protocol's port. An IPv6 address takes brackets when a port follows it.
struct ServerAddress {
  std::string host;
  int port = 0;
};

// False for anything that is not such a setting: empty, blanks, a scheme or a path, a port
// that is not 1 to 65535.
bool ParseServerAddress(std::string_view setting, ServerAddress& out);

// The address as the player would write it again: "host", "host:port", "[v6]:port".
std::string ServerAddressText(const ServerAddress& address);
