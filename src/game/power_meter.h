#pragma once
#include <cstdint>

struct SDL_Surface;

// The power bar at the left of the screen. It rises and falls by itself while the thrower
// aims; its value when Enter stops it is the power of the throw (the ball comes down at
// y = 270 - value).
struct PowerMeter {
  int x = 55;
  int bottom = 253;  // the bar grows upward from just above this row
  int speed = 7;     // per frame; turns round at each end and is never reset
  int width = 60;
  int value = 0;  // 0 to 150, also the bar's height in pixels

  static constexpr int MaxValue = 150;

  // One frame of the meter.
  void Advance();
  // The bar as one-pixel rows, pale yellow at the bottom shading to orange at the top.
  bool Draw(SDL_Surface* target) const;
};

// The pixel value of a colour for the ramps of the power bar and the drinking gauge, by
// DisplayDepth. At 16 bits each component is wrapped into its field rather than scaled
// (red 255 stays full, green 250 becomes 58), which is how the ramps have always
// looked; at depths other than 16 and 32 the rows are black.
std::uint32_t RampPixel(int red, int green, int blue);
