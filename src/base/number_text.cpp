#include "base/number_text.h"

#include <charconv>
#include <cstring>

bool ParseNumber(const char* text, int low, int high, int& out) {
  const char* end = text + std::strlen(text);
  int value = 0;
  const auto [rest, ec] = std::from_chars(text, end, value);
  if (ec != std::errc() || rest != end || value < low || value > high) return false;
  out = value;
  return true;
}
