#include "game/power_meter.h"

#include "display/display.h"
#include "display/surface.h"

void PowerMeter::Advance() {
  value += speed;
  if (value >= MaxValue) {
    value = MaxValue;
    speed = -speed;
  } else if (value < 1) {
    value = 0;
    speed = -speed;
  }
}

bool PowerMeter::Draw(SDL_Surface* target) const {
  for (int i = 0; i < value; ++i)
    FillRect(target, x, bottom - i - 1, x + width, bottom - i, RampPixel(255, 250 - i, 100));
  return true;
}

std::uint32_t RampPixel(int red, int green, int blue) {
  switch (DisplayDepth) {
    case 32: return static_cast<std::uint32_t>(red * 65536 + green * 256 + blue);
    case 16: return static_cast<std::uint32_t>((red % 32) * 2048 + (green % 64) * 32 + blue % 32);
    default: return 0;
  }
}
