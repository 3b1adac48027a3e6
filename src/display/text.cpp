#include "display/text.h"

#include <SDL.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const QFont& TextFont() {
  static const QFont font = [] {
    QFont f(TextFontFamily);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(TextPixelSize);
    return f;
  }();
  return font;
}

// A line as the painter draws it on nothing: its colour already weighted by each pixel's
// coverage (premultiplied), kept as the runs of pixels the ink touches, placed relative
// to the line's top-left corner. Most of a line's box is untouched.
struct InkRun {
  int row, column, length;
  std::size_t first;  // where the run's pixels start in ink
};
struct InkedLine {
  std::vector<InkRun> runs;
  std::vector<std::uint32_t> ink;
};

// Laying out and drawing a line glyph by glyph costs far more than blending the finished
// line, and every frame draws the same few lines again. So 32-bit targets blend each
// distinct line and colour from its ink, painted once; 16-bit targets are painted
// directly, each distinct text keeping its layout. The image over the surface keeps its
// paint engine between calls. All of it goes when the application does, while its fonts
// still exist.
struct TextCache {
  // The title's nine lines, the panel line of either player at any count and an end
  // line fit many times over; a cache that fills up is simply started again.
  static constexpr std::size_t MaxLines = 64;

  std::map<std::string, QStaticText, std::less<>> layouts;
  std::map<std::uint32_t, std::map<std::string, InkedLine, std::less<>>> inked;  // by colour, then text
  QImage image;
};

TextCache* Cache = nullptr;

void DropCache() {
  delete Cache;
  Cache = nullptr;
}

TextCache& TheCache() {
  if (!Cache) {
    Cache = new TextCache;
    qAddPostRoutine(DropCache);
  }
  return *Cache;
}

const QStaticText& LayoutFor(const char* text) {
  auto& layouts = TheCache().layouts;
  auto found = layouts.find(std::string_view(text));
  if (found != layouts.end()) return found->second;
  if (layouts.size() >= TextCache::MaxLines) layouts.clear();
  QStaticText layout(QString::fromLatin1(text));
  layout.setTextFormat(Qt::PlainText);
  layout.prepare(QTransform(), TextFont());
  return layouts.emplace(text, std::move(layout)).first->second;
}

QColor Pen(std::uint32_t colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

// Antialiasing can reach past the glyphs' measured box, so a margin is kept.
const InkedLine& InkFor(const char* text, std::uint32_t colour) {
  auto& inked = TheCache().inked[colour];
  auto found = inked.find(std::string_view(text));
  if (found != inked.end()) return found->second;
  if (inked.size() >= TextCache::MaxLines) inked.clear();
  const QFontMetrics metrics(TextFont());
  const QRect box = metrics.boundingRect(QString::fromLatin1(text))
                        .translated(0, metrics.ascent())
                        .united(QRect(0, 0, 1, metrics.height()))
                        .adjusted(-2, -2, 2, 2);
  QImage painted(box.size(), QImage::Format_ARGB32_Premultiplied);
  painted.fill(Qt::transparent);
  {
    QPainter painter(&painted);
    painter.setFont(TextFont());
    painter.setPen(Pen(colour));
    painter.drawStaticText(-box.left(), -box.top(), LayoutFor(text));
  }
  InkedLine line;
  for (int y = 0; y < painted.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(painted.constScanLine(y));
    for (int x = 0; x < painted.width();) {
      if (!row[x]) {
        ++x;
        continue;
      }
      InkRun run{y + box.top(), x + box.left(), 0, line.ink.size()};
      for (; x < painted.width() && row[x]; ++x, ++run.length) line.ink.push_back(row[x]);
      line.runs.push_back(run);
    }
  }
  return inked.emplace(text, std::move(line)).first->second;
}

// Each byte of x times a / 255, rounded the way the painter rounds, so that blending the
// ink gives exactly what painting the glyphs straight onto the target gives.
std::uint32_t Scale(std::uint32_t x, std::uint32_t a) {
  std::uint32_t even = (x & 0xFF00FF) * a;
  even = ((even + ((even >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
  std::uint32_t odd = ((x >> 8) & 0xFF00FF) * a;
  odd = (odd + ((odd >> 8) & 0xFF00FF) + 0x800080) & 0xFF00FF00;
  return even | odd;
}

// The ink laid over a 32-bit surface, cut at its edges.
void BlendInk(SDL_Surface* target, const InkedLine& line, int x, int y) {
  for (const InkRun& run : line.runs) {
    const int row = y + run.row;
    if (row < 0 || row >= target->h) continue;
    const int from = std::max(0, x + run.column), to = std::min(target->w, x + run.column + run.length);
    auto* pixels = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(target->pixels) +
                                                    static_cast<std::ptrdiff_t>(row) * target->pitch);
    const std::uint32_t* ink = line.ink.data() + run.first;
    for (int column = from; column < to; ++column) {
      const std::uint32_t over = ink[column - x - run.column];
      pixels[column] = over + Scale(pixels[column], 255 - (over >> 24));
    }
  }
}

// An image over the target's pixels, made again only when the surface is another.
QImage& ImageOver(SDL_Surface* target) {
  QImage& image = TheCache().image;
  if (image.constBits() != target->pixels || image.width() != target->w ||
      image.height() != target->h || image.bytesPerLine() != target->pitch)
    image = QImage(static_cast<uchar*>(target->pixels), target->w, target->h, target->pitch,
                   QImage::Format_RGB16);
  return image;
}

}  // namespace

void DrawText(SDL_Surface* target, const char* text, int x, int y, std::uint32_t colour) {
  if (!QGuiApplication::instance()) return;
  const int bytes = target->format->BytesPerPixel;
  if (bytes != 4 && bytes != 2) return;
  if (SDL_LockSurface(target) != 0) return;
  if (bytes == 4) {
    BlendInk(target, InkFor(text, colour), x, y);
  } else {
    QPainter painter(&ImageOver(target));
    painter.setFont(TextFont());
    painter.setPen(Pen(colour));
    // (x, y) is the top-left corner of the text.
    painter.drawStaticText(x, y, LayoutFor(text));
  }
  SDL_UnlockSurface(target);
}
