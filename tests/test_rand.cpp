#include <gtest/gtest.h>

#include <thread>

#include "base/rand.h"

TEST(GameRandom, FirstValuesFromSeedOneMatchTheClassicGenerator) {
  crt::srand(1);
  EXPECT_EQ(crt::rand(), 41);
  EXPECT_EQ(crt::rand(), 18467);
  EXPECT_EQ(crt::rand(), 6334);
  EXPECT_EQ(crt::rand(), 26500);
  EXPECT_EQ(crt::rand(), 19169);
}

TEST(GameRandom, EachThreadStartsFromSeedOneAndKeepsItsOwnState) {
  crt::srand(12345);
  crt::rand();
  int first = -1;
  std::thread([&] { first = crt::rand(); }).join();
  EXPECT_EQ(first, 41);
}

TEST(GameRandom, ValuesStayWithinFifteenBits) {
  crt::srand(0xFFFFFFFFu);
  for (int i = 0; i < 10000; ++i) {
    int v = crt::rand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 0x7FFF);
  }
}
