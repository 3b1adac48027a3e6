// Lines of text: however often a line was drawn before, and whatever else was drawn in
// between, it comes out exactly as a painter that lays it out from scratch draws it.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <SDL.h>

#include "display/draw.h"
#include "display/text.h"
#include "test_support.h"

static std::vector<std::uint8_t> Pixels(SDL_Surface* s) {
  const auto* bytes = static_cast<const std::uint8_t*>(s->pixels);
  return {bytes, bytes + s->h * s->pitch};
}

// A surface in stripes of many colours, so that the edges of every glyph blend with
// something new.
static SurfacePtr Stripes(int depth) {
  SurfacePtr s = CreateSurface(330, 40, depth);
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; x += 3)
      FillRect(s.get(), x, y, x + 3, y + 1, ((x * 2654435761u) ^ (y * 40503u)) & (depth == 16 ? 0xFFFF : 0xFFFFFF));
  return s;
}

// Draws the line on stripes and, on a twin, as a painter draws it with no help: laid out
// anew and placed by its baseline.
static void ExpectAsFromScratch(int depth, const char* text, int x, int y, std::uint32_t colour) {
  SurfacePtr drawn = Stripes(depth), twin = Stripes(depth);
  DrawString(text, x, y, colour, drawn.get());
  QImage image(static_cast<uchar*>(twin->pixels), twin->w, twin->h, twin->pitch,
               depth == 32 ? QImage::Format_RGB32 : QImage::Format_RGB16);
  QFont font(TextFontFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(TextPixelSize);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  painter.drawText(x, y + QFontMetrics(font).ascent(), QString::fromLatin1(text));
  painter.end();
  EXPECT_EQ(Pixels(drawn.get()), Pixels(twin.get())) << depth << " bits: \"" << text << "\" at " << x << ", " << y;
  EXPECT_NE(Pixels(drawn.get()), Pixels(Stripes(depth).get())) << '"' << text << "\" left no mark";
}

// Twice each, at both depths, half below the bottom edge too; a name is text, never
// markup; and a line comes out right again after more distinct lines than are kept.
TEST(TextLines, TheGamesLinesLookTheSameEveryTimeTheyAreDrawn) {
  for (int depth : {32, 16}) {
    for (int round = 0; round < 2; ++round)
      for (const char* line : {"WARNING:", "You are victorious!  Player wins!", "<b>Player</b> &amp; Opponent"}) {
        ExpectAsFromScratch(depth, line, 3, 5, 0xFFFFFF);
        ExpectAsFromScratch(depth, line, 0, 30, 0xFAFAFF);
      }
    for (int i = 0; i <= 150; ++i)
      ExpectAsFromScratch(depth, ("Cups hit: " + std::to_string(i % 150)).c_str(), 1, 1, 255);
  }
}
