#include "colour_key.h"

#include <algorithm>

namespace {

constexpr int FirstVisibleLevel = 8;  // the lowest value that survives 5-bit packing

bool IsKeyedOut(QRgb colour) {
  return std::max({qRed(colour), qGreen(colour), qBlue(colour)}) < FirstVisibleLevel;
}

}  // namespace

QImage ApplyColourKey(const QImage& drawing) {
  const QImage source = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage keyed(source.size(), QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      if (qAlpha(in[x]) < 128) {
        out[x] = qRgb(0, 0, 0);
        continue;
      }
      QRgb colour = qUnpremultiply(in[x]);
      if (IsKeyedOut(colour))
        colour = qRgb(std::max(qRed(colour), FirstVisibleLevel), std::max(qGreen(colour), FirstVisibleLevel),
                      std::max(qBlue(colour), FirstVisibleLevel));
      out[x] = colour | 0xFF000000u;
    }
  }
  return keyed;
}
