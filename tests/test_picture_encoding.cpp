// How the game's pictures are held for drawing: rows turned top first, and every
// picture run-length encoded once it has been drawn, so transparent spans cost nothing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/bitmap_file.h"
#include "display/display.h"
#include "game/game_bitmaps.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "test_support.h"

TEST(RowFlip, EveryRowTakesTheMirrorPlaceAndAMiddleRowStays) {
  for (int rows : {1, 2, 3, 4, 7}) {
    std::vector<std::uint8_t> pixels;
    for (int r = 0; r < rows; ++r)
      for (int b = 0; b < 6; ++b) pixels.push_back(static_cast<std::uint8_t>(r * 10 + b));
    ASSERT_TRUE(FlipRows(pixels.data(), 6, rows));
    for (int r = 0; r < rows; ++r)
      for (int b = 0; b < 6; ++b)
        ASSERT_EQ(pixels[r * 6 + b], (rows - 1 - r) * 10 + b) << rows << " rows, row " << r;
  }
}

namespace {

class GamePictures : public HeadlessTest {
 protected:
  void TearDown() override {
    ReleaseTitleImages();
    ReleaseGameImages();
    ReleaseDisplay();
    DisplayDepth = 0;
    FrameHandler = nullptr;
    HeadlessTest::TearDown();
  }

  // Loads every picture of the game at this depth, draws each once onto the back buffer
  // and names those that are not encoded.
  std::vector<std::string> NotEncoded(int depth) {
    window = std::make_unique<HeadlessPlatform>(depth);
    MainWindow = window.get();
    EXPECT_TRUE(InitDisplay());
    EXPECT_EQ(LoadGameBitmaps(), 1);
    ShowTitleScreen();
    EXPECT_TRUE(window->messageBoxes.empty());

    struct Named {
      std::string name;
      SDL_Surface* surface;
    };
    std::vector<Named> pictures = {
        {"title", TitlePicture.surface.get()},     {"play", SinglePlayerImage.surface.get()},
        {"playvs", VersusImage.surface.get()},     {"playnet", InternetImage.surface.get()},
        {"gamebg", GameBackground.surface.get()},  {"blue_cup", BlueRack->surface.get()},
        {"red_cup", RedRack->surface.get()},       {"ball", TheBall.surface.get()},
        {"arrow", Arrow.surface.get()},            {"viewcup", Panel.surface.get()},
        {"over", OverBanner.surface.get()},        {"reconfigure", ReconfigureBanner.surface.get()},
        {"hit", HitBanner.surface.get()},          {"gameover", GameOverBanner.surface.get()},
        {"ready", ReadyBanner.surface.get()},      {"compturn", CompTurnBanner.surface.get()}};
    for (int i = 0; i < SplashAnimation::FrameCount; ++i)
      pictures.push_back({"splash" + std::to_string(i + 1), Splash.frames[i].get()});

    std::vector<std::string> plain;
    for (const Named& p : pictures) {
      if (!p.surface) {
        plain.push_back(p.name + " (not loaded)");
        continue;
      }
      EXPECT_TRUE(BlitKeyed(p.surface, p.surface->w, p.surface->h, BackBuffer, 0, 0)) << p.name;
      if (!(p.surface->flags & SDL_RLEACCEL)) plain.push_back(p.name);
    }
    return plain;
  }

  std::unique_ptr<HeadlessPlatform> window;
};

}  // namespace

TEST_F(GamePictures, EveryPictureIsDrawnRunLengthEncodedAtBothDepths) {
  std::filesystem::create_directory_symlink(RunFolder() / "bmps", folder / "bmps");
  EXPECT_EQ(NotEncoded(32), std::vector<std::string>{});
  ReleaseTitleImages();
  ReleaseGameImages();
  ReleaseDisplay();
  EXPECT_EQ(NotEncoded(16), std::vector<std::string>{});
}
