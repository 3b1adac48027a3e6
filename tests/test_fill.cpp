// Colour fills, the clear of the back buffer and the power bar's rows: exactly the
// rectangle asked for, clipped to the surface, at both depths.
#include <SDL.h>
#include <gtest/gtest.h>

#include "display/display.h"
#include "display/draw.h"
#include "display/surface.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t Marker32 = 0x123456, Marker16 = 0x1234;

class Fills : public ::testing::TestWithParam<int> {
 protected:
  std::uint32_t Marker() const { return GetParam() == 16 ? Marker16 : Marker32; }
  SurfacePtr MarkedSurface(int width, int height) {
    SurfacePtr s = CreateSurface(width, height, GetParam());
    SDL_FillRect(s.get(), nullptr, Marker());
    return s;
  }
  // How many pixels of the surface hold the value.
  static int Count(SDL_Surface* s, std::uint32_t value) {
    int n = 0;
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x) n += PixelAt(s, x, y) == value;
    return n;
  }
};

}  // namespace

TEST_P(Fills, OnlyTheRectangleTakesTheColour) {
  // A ramp colour with different bytes, then black and white, whose bytes repeat.
  for (std::uint32_t value : {GetParam() == 16 ? 0xF9C4u : 0xFFFA64u, 0u, GetParam() == 16 ? 0xFFFFu : 0xFFFFFFu}) {
    SurfacePtr s = MarkedSurface(61, 9);
    EXPECT_TRUE(FillRect(s.get(), 3, 2, 60, 7, value));
    EXPECT_EQ(Count(s.get(), value), 57 * 5) << value;
    EXPECT_EQ(PixelAt(s.get(), 3, 2), value);
    EXPECT_EQ(PixelAt(s.get(), 59, 6), value);
    EXPECT_EQ(PixelAt(s.get(), 2, 2), Marker());
    EXPECT_EQ(PixelAt(s.get(), 60, 6), Marker());
    EXPECT_EQ(PixelAt(s.get(), 3, 7), Marker());
  }
}

TEST_P(Fills, ARectangleOverTheEdgesIsCutToTheSurface) {
  SurfacePtr s = MarkedSurface(20, 10);
  EXPECT_TRUE(FillRect(s.get(), -5, 8, 30, 14, 0));
  EXPECT_EQ(Count(s.get(), 0), 20 * 2);
  EXPECT_EQ(PixelAt(s.get(), 0, 8), 0u);
  EXPECT_EQ(PixelAt(s.get(), 19, 9), 0u);
  EXPECT_EQ(PixelAt(s.get(), 19, 7), Marker());

  EXPECT_TRUE(FillRect(s.get(), 25, 0, 30, 5, 0));  // wholly outside: nothing to do
  EXPECT_EQ(Count(s.get(), 0), 20 * 2);
  EXPECT_FALSE(FillRect(s.get(), 5, 5, 5, 9, 0));  // empty
  EXPECT_FALSE(FillRect(nullptr, 0, 0, 1, 1, 0));
}

INSTANTIATE_TEST_SUITE_P(AtBothDepths, Fills, ::testing::Values(32, 16),
                         [](const ::testing::TestParamInfo<int>& depth) {
                           return std::to_string(depth.param) + "Bits";
                         });

using BackBufferClear = DisplayTest;

TEST_F(BackBufferClear, EveryPixelTurnsBlackAtBothDepths) {
  for (int depth : {32, 16}) {
    if (depth == 16) UseDepth(16);
    SDL_FillRect(BackBuffer, nullptr, 0x7777);
    ASSERT_TRUE(ClearBackBuffer());
    for (int y = 0; y < BackBufferHeight; y += 7)
      for (int x = 0; x < BackBufferWidth; x += 5) ASSERT_EQ(PixelAt(BackBuffer, x, y), 0u) << x << ", " << y;
    EXPECT_EQ(PixelAt(BackBuffer, BackBufferWidth - 1, BackBufferHeight - 1), 0u);
  }
}
