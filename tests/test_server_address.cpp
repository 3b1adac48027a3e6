// The server setting: what names a server, and what is refused before any connection.
#include <gtest/gtest.h>

#include "net/server_address.h"

TEST(ServerSetting, AHostWithOrWithoutItsPortNamesAServerAndAnythingElseIsRefused) {
  struct Case {
    const char* setting;
    const char* host;  // null: refused
    int port;
  };
  const Case cases[] = {
      {"tumbra.example.org", "tumbra.example.org", 7438},
      {"tumbra.example.org:443", "tumbra.example.org", 443},
      {"192.0.2.7:65535", "192.0.2.7", 65535},
      {"::1", "::1", 7438},
      {"[::1]:8000", "::1", 8000},
      {"[fe80::1]", "fe80::1", 7438},
      {"", nullptr, 0},
      {"host:0", nullptr, 0},
      {"host:65536", nullptr, 0},
      {"host:", nullptr, 0},
      {"host:+80", nullptr, 0},
      {"wss://host", nullptr, 0},
      {"host/path", nullptr, 0},
      {"two words", nullptr, 0},
      {" host", nullptr, 0},
      {"host..org", nullptr, 0},
      {"[::1", nullptr, 0},
      {"[::1]8000", nullptr, 0},
      {"[host]:80", nullptr, 0},
  };
  for (const Case& c : cases) {
    ServerAddress address;
    const bool parsed = ParseServerAddress(c.setting, address);
    EXPECT_EQ(parsed, c.host != nullptr) << c.setting;
    if (parsed && c.host) {
      EXPECT_EQ(address.host, c.host) << c.setting;
      EXPECT_EQ(address.port, c.port) << c.setting;
      ServerAddress again;
      ASSERT_TRUE(ParseServerAddress(ServerAddressText(address), again)) << c.setting;
      EXPECT_EQ(again.host + ":" + std::to_string(again.port), address.host + ":" + std::to_string(address.port));
    }
  }
}
