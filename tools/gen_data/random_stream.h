#pragma once
#include <cstdint>

// A fixed-seed xorshift generator: the data comes out the same on every run.
class RandomStream {
 public:
  explicit RandomStream(std::uint32_t seed) : state_(seed ? seed : 1u) {}

  // Uniform in [0, 1).
  double Uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
  }
  double Between(double low, double high) { return low + (high - low) * Uniform(); }

 private:
  std::uint32_t state_;
};
