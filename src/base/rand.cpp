#include "base/rand.h"

#include <cstdint>

namespace crt {

namespace {
thread_local std::uint32_t State = 1;
}

int rand() {
  State = State * 214013u + 2531011u;
  return static_cast<int>((State >> 16) & RandMax);
}

void srand(unsigned seed) { State = seed; }

}  // namespace crt
