// Pictures on the back buffer: what loads, what is refused and with which messages, how
// pixels land at both depths, and a rack and the panel drawn from pictures.
#include <SDL.h>

#include <array>
#include <cstdio>
#include <tuple>

#include "display/draw.h"
#include "display/sprite.h"
#include "game/cup_counter_panel.h"
#include "test_support.h"

class Drawing : public DisplayTest {
 protected:
  // Loads the bytes as an 8 x 4 picture and draws it at (x, y) over a back buffer of the
  // marker colour, which transparent pixels let through.
  bool LoadAndDraw(const std::string& bytes, int x = 0, int y = 0) {
    WriteFile("bmps/p.bmp", bytes);
    if (!sprite.Load("bmps\\p.bmp", 8, 4, DisplayDepth)) return false;
    SDL_FillRect(BackBuffer, nullptr, Marker());
    sprite.SetPosition(x, y);
    return sprite.Draw(BackBuffer);
  }
  std::uint32_t Marker() const { return DisplayDepth == 16 ? 0x1234 : 0x123456; }
  static std::uint32_t At(int x, int y) { return PixelAt(BackBuffer, x, y); }

  Sprite sprite;
};

// Colours reach the display whole at 32 bits and five bits a colour at 16; black, and at
// 16 bits every colour that packs to black, is transparent; the file's last row is the top.
TEST_F(Drawing, ColoursAndTransparencyAtBothDepths) {
  struct Case {
    int x, y;
    std::uint8_t r, g, b;
    std::uint32_t at32, at16;  // 0: transparent
  };
  const Case cases[] = {{0, 0, 255, 255, 255, 0xFFFFFF, 0xFFDF}, {1, 0, 200, 100, 50, 0xC86432, 0xCB06},
                        {2, 0, 0, 0, 0, 0, 0},                   {3, 0, 7, 7, 7, 0x070707, 0},
                        {4, 0, 8, 0, 0, 0x080000, 0x0800},       {0, 3, 0, 0, 255, 0x0000FF, 0x001F}};
  std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
  for (const Case& c : cases) bmp.replace(54 + ((3 - c.y) * 8 + c.x) * 3, 3, {char(c.b), char(c.g), char(c.r)});
  for (int depth : {32, 16}) {
    if (depth == 16) UseDepth(16);
    ASSERT_TRUE(LoadAndDraw(bmp, 100, 200));
    for (const Case& c : cases) {
      const std::uint32_t wanted = depth == 32 ? c.at32 : c.at16;
      EXPECT_EQ(At(100 + c.x, 200 + c.y), wanted ? wanted : Marker())
          << depth << " bits: " << c.x << "," << c.y;
    }
  }
}

// Only 24-bit files of the requested size are taken; the pixel data is read from where
// the file says it starts, also with more behind it, and must lie behind the headers. An
// uncompressed file may leave its image size at 0, as image editors save them.
TEST_F(Drawing, OnlyTwentyFourBitFilesOfTheRequestedSizeAreTaken) {
  const std::string bmp = SolidBitmap(8, 4, 0, 200, 0);
  // The file with the bytes from `at` on replaced by the field.
  auto with = [&bmp](size_t at, const std::string& v) { return bmp.substr(0, at) + v + bmp.substr(at + v.size()); };
  const std::pair<const char*, std::string> refused[] = {
      {"not starting with BM", with(0, "X")},
      {"32 bits per pixel", with(28, Le16(32))},
      {"another width", with(18, Le32(4))},
      {"height stored top-down", with(22, Le32(-4))},
      {"size field too small", with(34, Le32(8 * 4 * 3 - 3))},
      {"size field larger than the file", with(34, Le32(1u << 30))},
      {"file cut short", bmp.substr(0, bmp.size() - 10)},
      {"half a header", bmp.substr(0, 30)},
      {"pixels said to start in the headers", with(10, Le32(53))},
      {"pixels said to start too late", with(10, Le32(55))},
      {"compressed, its size left at 0", with(30, Le32(1) + Le32(0))},
  };
  for (const auto& [what, bytes] : refused) {
    platform.messageBoxes.clear();
    EXPECT_FALSE(LoadAndDraw(bytes)) << what;
    EXPECT_EQ(Messages(), (Strings{"Tumbra: Fail: It isn't a bitmap!", "Tumbra: FAIL: Could not load bitmap file!"}))
        << what;
  }
  for (const std::string& roomy : {with(10, Le32(80)).insert(54, 26, 'U'), bmp + std::string(26, 'U'), with(34, Le32(0))}) {
    ASSERT_TRUE(LoadAndDraw(roomy));
    EXPECT_EQ(At(0, 0), 0x00C800u);
  }
}

// The standing cups go on the back buffer, the gauge on the target; the panel's icons of
// the standing cups go on the target, the rack's name and hit count in red on the back
// buffer; a failed copy is told for each cup.
TEST_F(Drawing, RackAndPanelShowTheStandingCupsTheGaugeAndTheHitCount) {
  WriteFile("bmps/blue.bmp", SolidBitmap(80, 100, 0, 0, 255));
  WriteFile("bmps/icon.bmp", SolidBitmap(40, 40, 0, 0, 255));
  CupRack rack;
  CupCounterPanel panel;
  ASSERT_TRUE(rack.Load("bmps\\blue.bmp", 80, 100, DisplayDepth) && panel.Load("bmps\\icon.bmp", 40, 40, DisplayDepth));
  rack.SetPosition(360, 140);
  panel.SetPosition(500, 350);
  rack.cups[14].present = 0;
  rack.cupsHit = 12;
  rack.gauge.level = 1;
  std::snprintf(rack.name, sizeof rack.name, "Player 2");
  SurfacePtr target = CreateSurface(760, 560, DisplayDepth), text = CreateSurface(760, 560, DisplayDepth);
  EXPECT_TRUE(rack.Draw(target.get()));
  EXPECT_EQ(PixelAt(target.get(), 215, 196), 0xFAFF64u);  // the gauge
  EXPECT_EQ(At(420, 300), 0x0000FFu);                     // the front cup
  EXPECT_EQ(At(362, 142), 0u);                            // cup 14's corner
  ClearBackBuffer();
  // Icons 13 and 10 at the back, 6 in the second row and the front cup's 0 at the point
  // of the triangle, each from its top-left corner to its bottom-right one.
  const std::tuple<int, int, int> icons[] = {{13, 536, 350}, {10, 644, 350}, {6, 626, 386}, {0, 572, 494}};
  for (Cup& cup : rack.cups) cup.present = 0;
  for (const auto& [i, x, y] : icons) rack.cups[i].present = 1;
  panel.DrawPanel(target.get(), rack);
  const auto on = [&target](int x, int y) { return PixelAt(target.get(), x, y); };
  for (const auto& [i, x, y] : icons)
    EXPECT_EQ((std::array{on(x, y), on(x + 39, y + 39), on(x - 1, y), on(x + 40, y + 39)}), (std::array{255u, 255u, 0u, 0u})) << i;
  DrawString("Player 2   Cups hit: 12", 510, 325, 255, text.get());
  int inked = 0;
  for (int y = 0; y < BackBufferHeight; ++y)
    for (int x = 0; x < BackBufferWidth; ++x) {
      ASSERT_EQ(At(x, y), PixelAt(text.get(), x, y)) << x << "," << y;
      inked += At(x, y) != 0;
    }
  EXPECT_GT(inked, 100) << "no text";
  rack.ReleaseSurface();
  panel.ReleaseSurface();
  EXPECT_TRUE(rack.Draw(BackBuffer));
  panel.DrawPanel(target.get(), rack);
  EXPECT_EQ(Messages(), Strings(8, "Tumbra: FAIL: DrawCup Failed!"));
}
