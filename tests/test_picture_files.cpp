// Reading .bmp files into sprites: what loads, what is refused and with which messages,
// and how pixels land at both display depths.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "display/display.h"
#include "display/sprite.h"
#include "test_support.h"

namespace {

void Put32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Put16(std::string& bytes, size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

constexpr size_t OffBits = 10, Width = 18, Height = 22, BitCount = 28, SizeImage = 34;

// Sets the colour of picture pixel (x, y), counted from the top row, in a file made by
// SolidBitmap (bottom row first on disk).
void Paint(std::string& bmp, int width, int height, int x, int y, std::uint8_t r, std::uint8_t g,
           std::uint8_t b) {
  size_t at = 54 + (static_cast<size_t>(height - 1 - y) * width + x) * 3;
  bmp[at] = static_cast<char>(b);
  bmp[at + 1] = static_cast<char>(g);
  bmp[at + 2] = static_cast<char>(r);
}

const std::vector<std::string> RefusedFile = {"Tumbra: Fail: It isn't a bitmap!",
                                              "Tumbra: FAIL: Could not load bitmap file!"};

class PictureFiles : public DisplayTest {
 protected:
  // Loads the file at 8 x 4 and draws it at (x, y) over a back buffer filled with a
  // marker colour, so transparent pixels show the marker.
  bool LoadAndDraw(const std::string& bytes, int x = 0, int y = 0) {
    WriteFile("bmps/p.bmp", bytes);
    if (!sprite.Load("bmps\\p.bmp", 8, 4, DisplayDepth)) return false;
    SDL_FillRect(BackBuffer, nullptr, Marker());
    sprite.SetPosition(x, y);
    return sprite.Draw(BackBuffer);
  }
  std::uint32_t Marker() const { return DisplayDepth == 16 ? 0x1234 : 0x123456; }

  Sprite sprite;
};

}  // namespace

// Colours reach the display whole at 32 bits and five bits a colour at 16; black, and at
// 16 bits every colour that packs to black, is transparent; the file's last row is the top.
TEST_F(PictureFiles, ColoursAndTransparencyAtBothDepths) {
  struct Case {
    int x, y;
    std::uint8_t r, g, b;
    std::uint32_t at32, at16;  // 0: transparent
  };
  const Case cases[] = {{0, 0, 255, 255, 255, 0xFFFFFF, 0xFFDF}, {1, 0, 200, 100, 50, 0xC86432, 0xCB06},
                        {2, 0, 0, 0, 0, 0, 0},                   {3, 0, 7, 7, 7, 0x070707, 0},
                        {4, 0, 8, 0, 0, 0x080000, 0x0800},       {0, 3, 0, 0, 255, 0x0000FF, 0x001F}};
  std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
  for (const Case& c : cases) Paint(bmp, 8, 4, c.x, c.y, c.r, c.g, c.b);
  for (int depth : {32, 16}) {
    if (depth == 16) UseDepth(16);
    ASSERT_TRUE(LoadAndDraw(bmp, 100, 200));
    for (const Case& c : cases) {
      const std::uint32_t wanted = depth == 32 ? c.at32 : c.at16;
      EXPECT_EQ(PixelAt(BackBuffer, 100 + c.x, 200 + c.y), wanted ? wanted : Marker()) << depth << ": " << c.x << "," << c.y;
    }
  }
}

TEST_F(PictureFiles, PixelDataIsFoundFromTheEndOfTheFile) {
  std::string bmp = SolidBitmap(8, 4, 0, 200, 0);
  bmp.insert(54, std::string(26, '\x55'));
  Put32(bmp, OffBits, 80);
  ASSERT_TRUE(LoadAndDraw(bmp));
  EXPECT_EQ(PixelAt(BackBuffer, 7, 3), 0x00C800u);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PictureFiles, MissingFileShowsBothMessagesAndKeepsTheEmptySurface) {
  EXPECT_FALSE(sprite.Load("bmps\\none.bmp", 40, 20, DisplayDepth));
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Tumbra: Fail: Bitmap failed to open!",
                                                  "Tumbra: FAIL: Could not load bitmap file!"}));
  EXPECT_NE(sprite.surface, nullptr);
  EXPECT_EQ(sprite.width, 40);
  EXPECT_EQ(sprite.height, 20);
}

TEST_F(PictureFiles, OnlyTwentyFourBitFilesOfTheRequestedSizeAreTaken) {
  struct Case {
    const char* what;
    void (*damage)(std::string&);
  };
  const Case cases[] = {
      {"not starting with BM", [](std::string& b) { b[0] = 'X'; }},
      {"32 bits per pixel", [](std::string& b) { Put16(b, BitCount, 32); }},
      {"another width", [](std::string& b) { Put32(b, Width, 4); }},
      {"another height", [](std::string& b) { Put32(b, Height, 2); }},
      {"height stored top-down", [](std::string& b) { Put32(b, Height, static_cast<std::uint32_t>(-4)); }},
      {"size field too small", [](std::string& b) { Put32(b, SizeImage, 8 * 4 * 3 - 3); }},
      {"size field larger than the file", [](std::string& b) { Put32(b, SizeImage, 1u << 30); }},
      {"file cut short", [](std::string& b) { b.resize(b.size() - 10); }},
      {"half a header", [](std::string& b) { b.resize(30); }},
  };
  for (const Case& c : cases) {
    platform.messageBoxes.clear();
    std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
    c.damage(bmp);
    EXPECT_FALSE(LoadAndDraw(bmp)) << c.what;
    EXPECT_EQ(Messages(), RefusedFile) << c.what;
  }
}

TEST_F(PictureFiles, PictureReachingPastAnEdgeIsNotDrawnAtAll) {
  const std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
  EXPECT_TRUE(LoadAndDraw(bmp, 752, 556));  // exactly in the corner
  EXPECT_FALSE(LoadAndDraw(bmp, 753, 0));
  EXPECT_FALSE(LoadAndDraw(bmp, 0, 557));
  EXPECT_FALSE(LoadAndDraw(bmp, -1, 10));
  EXPECT_EQ(PixelAt(BackBuffer, 0, 10), Marker());
  EXPECT_TRUE(Messages().empty());
}
