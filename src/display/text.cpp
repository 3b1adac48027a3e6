#include "display/text.h"

#include <SDL.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <map>
#include <string>
#include <string_view>

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

// Shaping a line costs several times more than drawing its glyphs, and every frame
// draws the same few lines again. So each distinct text keeps its layout, and the image
// over the surface keeps its paint engine, from one frame to the next. Both go when the
// application does, while its fonts still exist.
struct TextCache {
  // The title's nine lines, the panel line of either player at any count and an end
  // line fit many times over; a cache that fills up is simply started again.
  static constexpr std::size_t MaxLayouts = 64;

  std::map<std::string, QStaticText, std::less<>> layouts;
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
  if (layouts.size() >= TextCache::MaxLayouts) layouts.clear();
  QStaticText layout(QString::fromLatin1(text));
  layout.setTextFormat(Qt::PlainText);
  layout.prepare(QTransform(), TextFont());
  return layouts.emplace(text, std::move(layout)).first->second;
}

// An image over the target's pixels, made again only when the surface is another.
QImage& ImageOver(SDL_Surface* target, QImage::Format format) {
  QImage& image = TheCache().image;
  if (image.constBits() != target->pixels || image.width() != target->w ||
      image.height() != target->h || image.bytesPerLine() != target->pitch || image.format() != format)
    image = QImage(static_cast<uchar*>(target->pixels), target->w, target->h, target->pitch, format);
  return image;
}

}  // namespace

void DrawText(SDL_Surface* target, const char* text, int x, int y, std::uint32_t colour) {
  if (!QGuiApplication::instance()) return;
  QImage::Format format;
  switch (target->format->BytesPerPixel) {
    case 4: format = QImage::Format_RGB32; break;
    case 2: format = QImage::Format_RGB16; break;
    default: return;
  }
  if (SDL_LockSurface(target) != 0) return;
  {
    QPainter painter(&ImageOver(target, format));
    painter.setFont(TextFont());
    painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    // (x, y) is the top-left corner of the text.
    painter.drawStaticText(x, y, LayoutFor(text));
  }
  SDL_UnlockSurface(target);
}
