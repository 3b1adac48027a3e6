#pragma once

// Where a throw comes down on the table: the arrow's offset sets the point across (the
// arrow's left edge), the meter's value how far up the table it goes.
constexpr int LandingX(int aim) { return aim + 335; }
constexpr int LandingY(int power) { return 270 - power; }

// The aim and the power that bring a throw down at (x, y).
constexpr int AimFor(int x) { return x - 335; }
constexpr int PowerFor(int y) { return 270 - y; }
