// Lines of text: however often a line was drawn before, and whatever else was drawn in
// between, it comes out exactly as a painter that lays it out from scratch draws it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

#include "display/draw.h"
#include "display/surface.h"
#include "display/text.h"

namespace {

// Stripes of many colours, so that the edges of every glyph blend with something new.
void PaintStripes(SDL_Surface* s) {
  const std::uint32_t mask = s->format->BytesPerPixel == 2 ? 0xFFFF : 0xFFFFFF;
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; x += 3)
      FillRect(s, x, y, x + 3, y + 1, ((x * 2654435761u) ^ (y * 40503u)) & mask);
}

std::vector<std::uint8_t> Pixels(SDL_Surface* s) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < s->h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
    out.insert(out.end(), row, row + s->w * s->format->BytesPerPixel);
  }
  return out;
}

// The line as a painter draws it with no help: laid out anew and placed by its baseline.
void PaintFromScratch(SDL_Surface* s, const char* text, int x, int y, std::uint32_t colour) {
  QImage image(static_cast<uchar*>(s->pixels), s->w, s->h, s->pitch,
               s->format->BytesPerPixel == 4 ? QImage::Format_RGB32 : QImage::Format_RGB16);
  QFont font(TextFontFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(TextPixelSize);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  painter.drawText(x, y + QFontMetrics(font).ascent(), QString::fromLatin1(text));
}

class TextLines : public ::testing::TestWithParam<int> {
 protected:
  // Draws the line on a striped surface of its own and on a twin from scratch.
  void ExpectAsFromScratch(const char* text, int x, int y, std::uint32_t colour, int width = 330,
                           int height = 40) {
    SurfacePtr drawn = CreateSurface(width, height, GetParam());
    SurfacePtr twin = CreateSurface(width, height, GetParam());
    PaintStripes(drawn.get());
    PaintStripes(twin.get());
    const std::vector<std::uint8_t> background = Pixels(drawn.get());
    DrawString(text, x, y, colour, drawn.get());
    PaintFromScratch(twin.get(), text, x, y, colour);
    EXPECT_EQ(Pixels(drawn.get()), Pixels(twin.get())) << '"' << text << "\" at " << x << ", " << y;
    EXPECT_NE(Pixels(drawn.get()), background) << '"' << text << "\" left no mark";
  }
};

}  // namespace

TEST_P(TextLines, TheGamesLinesLookTheSameEveryTimeTheyAreDrawn) {
  const char* lines[] = {"WARNING:", "reading, playing, or following any of the suggestions ",
                         "You are victorious!  Player wins!"};
  for (int round = 0; round < 2; ++round) {
    for (const char* line : lines) {
      ExpectAsFromScratch(line, 3, 5, 0xFFFFFF);
      ExpectAsFromScratch(line, 10, 2, 255);
      ExpectAsFromScratch(line, 0, 30, 0xFAFAFF);  // half of it below the bottom edge
    }
  }
}

// A name is text, never markup.
TEST_P(TextLines, MarkupIsDrawnAsItsCharacters) { ExpectAsFromScratch("<b>Player</b> &amp; Opponent", 2, 2, 0xFFFFFF); }

TEST_P(TextLines, MoreDistinctLinesThanAreKeptStillDrawRight) {
  for (int i = 0; i < 150; ++i) {
    const std::string line = "Cups hit: " + std::to_string(i);
    ExpectAsFromScratch(line.c_str(), 1, 1, 0xFFFFFF, 90, 16);
  }
  ExpectAsFromScratch("Cups hit: 0", 1, 1, 0xFFFFFF, 90, 16);
}

INSTANTIATE_TEST_SUITE_P(AtBothDepths, TextLines, ::testing::Values(32, 16),
                         [](const ::testing::TestParamInfo<int>& depth) {
                           return std::to_string(depth.param) + "Bits";
                         });
