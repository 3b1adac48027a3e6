#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/display.h"
#include "display/draw.h"
#include "display/surface.h"
#include "game/cup_counter_panel.h"
#include "game/cup_rack.h"
#include "game/splash_animation.h"
#include "test_support.h"

namespace {

// Each splash picture in its own shade of red, so a drawn frame tells which it was.
std::uint32_t FrameShade(int frame) { return static_cast<std::uint32_t>(20 + 10 * frame); }

// The panel's text line, above the icons.
std::vector<std::uint32_t> TextArea(SDL_Surface* surface) {
  std::vector<std::uint32_t> out;
  for (int y = 318; y < 350; ++y)
    for (int x = 505; x < 760; ++x) out.push_back(PixelAt(surface, x, y));
  return out;
}

}  // namespace

using SplashPlaying = DisplayTest;

TEST_F(SplashPlaying, ARunIsThirtyOneStepsThenOneFalseThenItStartsAgain) {
  SplashAnimation splash;
  for (int i = 0; i < SplashAnimation::FrameCount; ++i) {
    const std::string name = "splash" + std::to_string(i + 1) + ".bmp";
    WriteFile("bmps/" + name, SolidBitmap(100, 60, FrameShade(i), 0, 0));
    ASSERT_TRUE(splash.LoadFrame(i, ("bmps\\" + name).c_str(), 100, 60, DisplayDepth));
  }
  Cup cup;
  cup.x = 360;
  cup.y = 140;
  const int shown[31] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4,  5, 5,
                         5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10};
  for (int i = 0; i < 31; ++i) {
    ClearBackBuffer();
    ASSERT_TRUE(splash.PlayStep(BackBuffer, cup)) << "step " << i + 1;
    EXPECT_EQ(PixelAt(BackBuffer, 400, 130), FrameShade(shown[i]) << 16) << "step " << i + 1;
  }
  // the frame hangs 10 pixels left of and 41 above the cup
  EXPECT_NE(PixelAt(BackBuffer, 350, 99), 0u);
  EXPECT_EQ(PixelAt(BackBuffer, 349, 98), 0u);
  EXPECT_EQ(PixelAt(BackBuffer, 450, 159), 0u);

  ClearBackBuffer();
  EXPECT_FALSE(splash.PlayStep(BackBuffer, cup));
  EXPECT_EQ(PixelAt(BackBuffer, 400, 130), 0u);
  EXPECT_TRUE(splash.PlayStep(BackBuffer, cup));
  EXPECT_EQ(PixelAt(BackBuffer, 400, 130), FrameShade(0) << 16);
}

class PanelDrawing : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    WriteFile("bmps/viewcup.bmp", SolidBitmap(40, 40, 0, 0, 255));
    ASSERT_TRUE(panel.Load("bmps\\viewcup.bmp", 40, 40, DisplayDepth));
    panel.SetPosition(500, 350);
  }
  CupCounterPanel panel;
  CupRack rack;
};

TEST_F(PanelDrawing, IconsShowTheStandingCupsOnTheTarget) {
  rack.cups[0].present = 0;
  rack.cups[14].present = 0;
  SurfacePtr target = CreateSurface(760, 560, DisplayDepth);
  panel.DrawPanel(target.get(), rack);
  for (int i = 1; i < 14; ++i)
    EXPECT_EQ(PixelAt(target.get(), panel.iconPos[i].x + 20, panel.iconPos[i].y + 20), 0x0000FFu)
        << i;
  EXPECT_EQ(PixelAt(target.get(), 575, 530), 0u);  // only icon 0 covers this
  EXPECT_EQ(PixelAt(target.get(), 502, 352), 0u);  // only icon 14 covers this
  EXPECT_EQ(PixelAt(BackBuffer, 590 + 20, 386 + 20), 0u);
  EXPECT_TRUE(platform.messageBoxes.empty());

  panel.ReleaseSurface();
  panel.DrawPanel(target.get(), rack);
  EXPECT_EQ(Messages().size(), 13u);
  EXPECT_EQ(Messages()[0], "Tumbra: FAIL: DrawCup Failed!");
}

TEST_F(PanelDrawing, TheTextNamesTheRackAndItsHitCountInRedOnTheBackBuffer) {
  std::snprintf(rack.name, sizeof rack.name, "Player 2");
  rack.cupsHit = 12;
  SurfacePtr target = CreateSurface(760, 560, DisplayDepth);
  panel.DrawPanel(target.get(), rack);

  SurfacePtr expected = CreateSurface(760, 560, DisplayDepth);
  DrawString("Player 2   Cups hit: 12", 510, 325, 255, expected.get());
  const std::vector<std::uint32_t> drawn = TextArea(BackBuffer);
  EXPECT_EQ(drawn, TextArea(expected.get()));
  EXPECT_NE(drawn, std::vector<std::uint32_t>(drawn.size(), 0)) << "no text drawn";
  EXPECT_EQ(TextArea(target.get()), std::vector<std::uint32_t>(drawn.size(), 0));
}
