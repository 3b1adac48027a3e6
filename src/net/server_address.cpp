#include "net/server_address.h"

#include "protocol/limits.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A host name or IPv4 address: labels of letters, digits and hyphens between dots.
bool HostName(std::string_view host) {
  if (host.empty() || host.size() > 253 || host.front() == '.' || host.back() == '.') return false;
  for (std::size_t i = 0; i < host.size(); ++i) {
    const char c = host[i];
    if (c == '.' && host[i - 1] == '.') return false;
    if (!IsLetter(c) && !IsDigit(c) && c != '-' && c != '.') return false;
  }
  return true;
}

// An IPv6 address as far as its characters go; the resolver judges the rest.
bool Ip6(std::string_view host) {
  if (host.find(':') == std::string_view::npos) return false;
  for (char c : host)
    if (!IsHex(c) && c != ':' && c != '.') return false;
  return true;
}

bool Port(std::string_view text, int& port) {
  if (text.empty() || text.size() > 5) return false;
  port = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    port = port * 10 + (c - '0');
  }
  return port >= 1 && port <= 65535;
}

}  // namespace

bool ParseServerAddress(std::string_view setting, ServerAddress& out) {
  std::string_view host = setting, port;
  if (!setting.empty() && setting.front() == '[') {
    const std::size_t close = setting.find(']');
    if (close == std::string_view::npos) return false;
    host = setting.substr(1, close - 1);
    std::string_view rest = setting.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || rest.size() == 1)) return false;
    if (!rest.empty()) port = rest.substr(1);
    if (!Ip6(host)) return false;
  } else if (setting.find(':') != setting.rfind(':')) {
    // Two colons or more without brackets: an IPv6 address alone.
    if (!Ip6(host)) return false;
  } else if (const std::size_t colon = setting.find(':'); colon != std::string_view::npos) {
    host = setting.substr(0, colon);
    port = setting.substr(colon + 1);
    if (port.empty() || !HostName(host)) return false;
  } else if (!HostName(host)) {
    return false;
  }
  int number = protocol::DefaultPort;
  if (!port.empty() && !Port(port, number)) return false;
  out.host = std::string(host);
  out.port = number;
  return true;
}

std::string ServerAddressText(const ServerAddress& address) {
  const bool v6 = address.host.find(':') != std::string::npos;
  if (address.port == protocol::DefaultPort) return address.host;
  return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}
