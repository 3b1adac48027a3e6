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

TEST_F(PictureFiles, ColoursConvertToTheDisplayFormatAtBothDepths) {
  std::string bmp = SolidBitmap(8, 4, 255, 255, 255);
  Paint(bmp, 8, 4, 1, 0, 200, 100, 50);
  ASSERT_TRUE(LoadAndDraw(bmp));
  EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFFFFFFu & 0xFFFFFF);
  EXPECT_EQ(PixelAt(BackBuffer, 1, 0), 50u + 100u * 256 + 200u * 65536);

  UseDepth(16);
  ASSERT_TRUE(LoadAndDraw(bmp));
  // White at 16 bits: bits 0-4 and 6-15 set, bit 5 clear.
  EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFFDFu);
  EXPECT_EQ(PixelAt(BackBuffer, 1, 0), 50u / 8 + (100u / 8) * 64 + (200u / 8) * 2048);
}

TEST_F(PictureFiles, TopRowOfThePictureIsDrawnAtTheTop) {
  std::string bmp = SolidBitmap(8, 4, 10, 10, 10);
  Paint(bmp, 8, 4, 0, 0, 255, 0, 0);
  Paint(bmp, 8, 4, 0, 3, 0, 0, 255);
  ASSERT_TRUE(LoadAndDraw(bmp, 100, 200));
  EXPECT_EQ(PixelAt(BackBuffer, 100, 200), 0xFF0000u);
  EXPECT_EQ(PixelAt(BackBuffer, 100, 203), 0x0000FFu);
}

TEST_F(PictureFiles, BlackIsTransparentAndAt16BitsSoIsEveryColourBelowEight) {
  std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
  Paint(bmp, 8, 4, 0, 0, 0, 0, 0);
  Paint(bmp, 8, 4, 1, 0, 7, 7, 7);
  Paint(bmp, 8, 4, 2, 0, 8, 0, 0);
  ASSERT_TRUE(LoadAndDraw(bmp));
  EXPECT_EQ(PixelAt(BackBuffer, 0, 0), Marker());
  EXPECT_EQ(PixelAt(BackBuffer, 1, 0), 0x070707u);
  EXPECT_EQ(PixelAt(BackBuffer, 2, 0), 0x080000u);

  UseDepth(16);
  ASSERT_TRUE(LoadAndDraw(bmp));
  EXPECT_EQ(PixelAt(BackBuffer, 0, 0), Marker());
  EXPECT_EQ(PixelAt(BackBuffer, 1, 0), Marker());
  EXPECT_EQ(PixelAt(BackBuffer, 2, 0), 2048u);
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

TEST_F(PictureFiles, FileThatDoesNotStartWithBMIsNotABitmap) {
  std::string bmp = SolidBitmap(8, 4, 90, 90, 90);
  bmp[0] = 'X';
  EXPECT_FALSE(LoadAndDraw(bmp));
  EXPECT_EQ(Messages(), RefusedFile);
}

TEST_F(PictureFiles, OnlyTwentyFourBitFilesOfTheRequestedSizeAreTaken) {
  struct Case {
    const char* what;
    void (*damage)(std::string&);
  };
  const Case cases[] = {
      {"32 bits per pixel", [](std::string& b) { Put16(b, BitCount, 32); }},
      {"1 bit per pixel", [](std::string& b) { Put16(b, BitCount, 1); }},
      {"16 bits per pixel", [](std::string& b) { Put16(b, BitCount, 16); }},
      {"another width", [](std::string& b) { Put32(b, Width, 4); }},
      {"another height", [](std::string& b) { Put32(b, Height, 2); }},
      {"height stored top-down", [](std::string& b) { Put32(b, Height, static_cast<std::uint32_t>(-4)); }},
      {"size field too small", [](std::string& b) { Put32(b, SizeImage, 8 * 4 * 3 - 3); }},
      {"size field larger than the file", [](std::string& b) { Put32(b, SizeImage, 1u << 30); }},
      {"size field near 4 GB", [](std::string& b) { Put32(b, SizeImage, 0xFFFFFFF0u); }},
      {"width that overflows a row", [](std::string& b) { Put32(b, Width, 0x7FFFFFFFu); }},
      {"file cut short", [](std::string& b) { b.resize(b.size() - 10); }},
      {"headers only", [](std::string& b) { b.resize(54); }},
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
  EXPECT_FALSE(LoadAndDraw(bmp, 10, -3));
  EXPECT_EQ(PixelAt(BackBuffer, 10, 0), Marker());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PictureFiles, AtAnUnsupportedDepthLoadingFailsSilently) {
  WriteFile("bmps/p.bmp", SolidBitmap(8, 4, 90, 90, 90));
  EXPECT_FALSE(sprite.Load("bmps\\p.bmp", 8, 4, 24));
  EXPECT_TRUE(Messages().empty());
}
