#pragma once
#include <cstdint>
#include <vector>

// The three effects, as 8-bit unsigned samples at the effects' rate: each rises from
// silence, stays well clear of the ends of the range and dies back to silence.
std::vector<std::uint8_t> ButtonClick();  // a new game starts
std::vector<std::uint8_t> CupPlop();      // the ball drops into the drink
std::vector<std::uint8_t> RimTick();      // the ball strikes a plastic rim
