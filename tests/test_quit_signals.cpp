// A quit signal must not wait for the end of a long pause, such as the re-rack's.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include "platform/quit_signals.h"

TEST(QuitSignals, CutAPauseShort) {
  ASSERT_TRUE(InstallQuitSignals());
  std::raise(SIGTERM);
  const auto start = std::chrono::steady_clock::now();
  SleepUnlessQuitSignal(1500);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_TRUE(TakeQuitSignal());
  EXPECT_FALSE(TakeQuitSignal());
}
