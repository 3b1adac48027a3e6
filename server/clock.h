#pragma once
#include <chrono>
#include <cstdint>

namespace server {

// The lobby and its games read time only from what they are handed, so that the tests can
// run three minutes of a game in no time at all.
using Clock = std::chrono::steady_clock;
using Time = Clock::time_point;
using Seconds = std::chrono::seconds;

using ConnectionId = std::uint64_t;

}  // namespace server
