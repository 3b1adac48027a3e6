#include <gtest/gtest.h>

#include "display/display.h"
#include "display/surface.h"
#include "game/aim_arrow.h"
#include "game/power_meter.h"
#include "test_support.h"

TEST(AimArrowLimits, TheArrowStopsAtZeroAndAtThreeHundredNinety) {
  AimArrow arrow;
  arrow.offset = 5;
  arrow.MoveLeft();
  EXPECT_EQ(arrow.offset, 0);
  arrow.MoveLeft();
  EXPECT_EQ(arrow.offset, 0);
  // held right from the middle: 385 after 24 frames, the end on the 25th
  arrow.offset = 193;
  for (int frame = 0; frame < 24; ++frame) arrow.MoveRight();
  EXPECT_EQ(arrow.offset, 385);
  arrow.MoveRight();
  EXPECT_EQ(arrow.offset, 390);
  arrow.MoveRight();
  EXPECT_EQ(arrow.offset, 390);
}

TEST(PowerMeterTravel, TheMeterTurnsRoundAtOneHundredFiftyAndAtZero) {
  struct Case {
    int value, speed, nextValue, nextSpeed;
  };
  // the top and the bottom are each shown for one frame, reached exactly or overshot
  const Case cases[] = {{143, 7, 150, -7}, {147, 7, 150, -7}, {150, -7, 143, -7}, {7, -7, 0, 7},
                        {3, -7, 0, 7},     {0, 7, 7, 7},      {8, -7, 1, -7}};
  for (const Case& c : cases) {
    PowerMeter meter;
    meter.value = c.value;
    meter.speed = c.speed;
    meter.Advance();
    EXPECT_EQ(meter.value, c.nextValue) << "from " << c.value;
    EXPECT_EQ(meter.speed, c.nextSpeed) << "from " << c.value;
  }
}

using ControlDrawing = DisplayTest;

TEST_F(ControlDrawing, TheArrowIsDrawnRightOfItsAnchorByItsOffset) {
  WriteFile("bmps/arrow.bmp", SolidBitmap(40, 40, 0, 0, 255));
  AimArrow arrow;
  ASSERT_TRUE(arrow.Load("bmps\\arrow.bmp", 40, 40, DisplayDepth));
  arrow.SetPosition(335, 80);
  arrow.offset = 100;
  ASSERT_TRUE(arrow.Draw(BackBuffer));
  EXPECT_EQ(PixelAt(BackBuffer, 435, 80), 0x0000FFu);
  EXPECT_EQ(PixelAt(BackBuffer, 434, 80), 0u);
}

TEST_F(ControlDrawing, MeterRowsRampFromPaleYellowAtBothDepths) {
  PowerMeter meter;
  meter.value = 1;
  meter.Draw(BackBuffer);
  EXPECT_EQ(PixelAt(BackBuffer, 55, 252), 0xFFFA64u);  // red 255, green 250, blue 100
  EXPECT_EQ(PixelAt(BackBuffer, 114, 252), 0xFFFA64u);
  EXPECT_EQ(PixelAt(BackBuffer, 115, 252), 0u);
  EXPECT_EQ(PixelAt(BackBuffer, 55, 251), 0u);
  meter.value = 150;
  meter.Draw(BackBuffer);
  EXPECT_EQ(PixelAt(BackBuffer, 80, 103), 0xFF6564u);  // top row: green 101
  EXPECT_EQ(PixelAt(BackBuffer, 80, 102), 0u);

  UseDepth(16);
  meter.Draw(BackBuffer);
  // red 255 -> 31, blue 100 -> 4; green 250 -> 58 at the bottom, 101 -> 37 at the top
  EXPECT_EQ(PixelAt(BackBuffer, 55, 252), 0xFF44u);
  EXPECT_EQ(PixelAt(BackBuffer, 114, 103), 0xFCA4u);
}
