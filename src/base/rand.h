#pragma once
// The game's pseudo-random numbers. Every throw's start values, the wobble, the rim
// bounce and the computer's aim are drawn from this exact generator, so the numbers a
// game sees do not depend on the C library of the machine it runs on.
namespace crt {

constexpr unsigned RandMax = 0x7FFF;

// state := state * 214013 + 2531011; result := (state >> 16) & 0x7FFF.
// One state per thread, seeded with 1 until srand is called on that thread.
int rand();
void srand(unsigned seed);

}  // namespace crt
