#include "bmp_writer.h"

namespace {
constexpr std::uint32_t HeadersSize = 14 + 40;
constexpr std::int32_t PixelsPerMetre = 2835;  // 72 dots per inch
}  // namespace

Bytes EncodeBmp(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  const auto width = static_cast<std::uint32_t>(rgb.width());
  const auto height = static_cast<std::uint32_t>(rgb.height());
  const std::uint32_t imageSize = width * height * 3;

  Bytes out;
  out.reserve(HeadersSize + imageSize);
  PutU16(out, 0x4D42);  // "BM"
  PutU32(out, HeadersSize + imageSize);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU32(out, HeadersSize);

  PutU32(out, 40);
  PutU32(out, width);
  PutU32(out, height);  // positive: bottom row first
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);  // uncompressed
  PutU32(out, imageSize);
  PutU32(out, PixelsPerMetre);
  PutU32(out, PixelsPerMetre);
  PutU32(out, 0);
  PutU32(out, 0);

  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      out.push_back(static_cast<std::uint8_t>(qBlue(row[x])));
      out.push_back(static_cast<std::uint8_t>(qGreen(row[x])));
      out.push_back(static_cast<std::uint8_t>(qRed(row[x])));
    }
  }
  return out;
}
