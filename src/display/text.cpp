#include "display/text.h"

#include <SDL.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

// A plain sans face small enough that the title screen's lines, 13 pixels apart, never
// touch.
const QFont& GameFont() {
  static const QFont font = [] {
    QFont f("DejaVu Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
  }();
  return font;
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
    QImage image(static_cast<uchar*>(target->pixels), target->w, target->h, target->pitch, format);
    QPainter painter(&image);
    painter.setFont(GameFont());
    painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    QFontMetrics metrics(GameFont());
    painter.drawText(x, y + metrics.ascent(), QString::fromLatin1(text));
  }
  SDL_UnlockSurface(target);
}
