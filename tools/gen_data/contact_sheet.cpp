#include "contact_sheet.h"

#include <algorithm>

#include "drawing.h"

namespace {

constexpr int SheetWidth = 1560;
constexpr int Gap = 20;
constexpr int LabelHeight = 18;
constexpr int LabelWidth = 90;
const QColor Backdrop(96, 60, 34);  // the table's wood under the lamp

// The picture with its transparent black replaced by the backdrop.
QImage OverBackdrop(const QImage& picture) {
  QImage shown = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < shown.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x)
      if ((row[x] & 0xFFFFFF) == 0) row[x] = Backdrop.rgb();
  }
  return shown;
}

}  // namespace

QImage DrawContactSheet(const std::vector<SheetEntry>& entries) {
  // Lay out row by row, wrapping at the sheet's width.
  std::vector<QPoint> places;
  int x = Gap, y = Gap, rowHeight = 0;
  for (const SheetEntry& e : entries) {
    const int slot = std::max(e.picture.width(), LabelWidth);
    if (x + slot > SheetWidth - Gap) {
      x = Gap;
      y += rowHeight + LabelHeight + Gap;
      rowHeight = 0;
    }
    places.emplace_back(x, y);
    x += slot + Gap;
    rowHeight = std::max(rowHeight, e.picture.height());
  }
  const int height = y + rowHeight + LabelHeight + Gap;

  QImage sheet(SheetWidth, height, QImage::Format_RGB32);
  sheet.fill(QColor(40, 40, 46));
  QPainter p(&sheet);
  p.setFont(Lettering(11, false));
  p.setPen(QColor(230, 230, 230));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QImage& picture = entries[i].picture;
    p.drawImage(places[i], OverBackdrop(picture));
    p.drawText(QRect(places[i].x(), places[i].y() + picture.height() + 2, std::max(picture.width(), LabelWidth),
                     LabelHeight),
               Qt::AlignLeft | Qt::AlignTop, entries[i].name);
  }
  return sheet;
}
