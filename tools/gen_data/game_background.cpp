#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include "bar_room.h"
#include "drawing.h"
#include "palette.h"
#include "pictures.h"
#include "random_stream.h"

namespace {

constexpr int Width = 760;
constexpr int Height = 560;
constexpr qreal WallFoot = 116;  // where the wall meets the floor, just behind the table

// The table runs from the thrower at the lower left to the rack in the upper right. Its
// far end lies along y 112-120, just behind the back row of cups (whose pictures start
// at y 140) and below the band where the aim arrow slides (y 80-120); its right edge
// clears the rightmost cup (x 720).
const QPointF FarLeft(345, 120);
const QPointF FarRight(754, 112);
const QPointF NearRight(742, Height);
const QPointF NearLeft(10, Height);
// Where the table's long edges meet when drawn on upward: every plank runs towards it.
const QPointF Vanishing(769, -437);

QPolygonF TableTop() { return QPolygonF({FarLeft, FarRight, NearRight, NearLeft}); }

void PaintFloor(QPainter& p) {
  QLinearGradient floor(0, WallFoot, 0, Height);
  floor.setColorAt(0, QColor(34, 22, 16));
  floor.setColorAt(1, QColor(52, 34, 24));
  p.fillRect(QRectF(0, WallFoot, Width, Height - WallFoot), floor);
  p.save();
  p.setClipRect(QRectF(0, WallFoot, Width, Height - WallFoot));
  p.setPen(QPen(QColor(20, 12, 10, 160), 1.5));
  for (qreal x = -1400; x < Width + 200; x += 46) p.drawLine(Vanishing, QPointF(x, Height));
  p.restore();
  QLinearGradient skirting(0, WallFoot - 6, 0, WallFoot + 2);
  skirting.setColorAt(0, QColor(70, 44, 28));
  skirting.setColorAt(1, QColor(24, 14, 10));
  p.fillRect(QRectF(0, WallFoot - 6, Width, 8), skirting);
}

void PaintTable(QPainter& p) {
  // A shadow on the floor first, then the side of the table that faces the thrower's left.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(10, 6, 4, 150));
  p.drawPolygon(QPolygonF({FarLeft + QPointF(-6, 10), FarRight + QPointF(6, 8),
                           NearRight + QPointF(8, 0), NearLeft + QPointF(-40, 0)}));
  QLinearGradient side(FarLeft, NearLeft);
  side.setColorAt(0, QColor(60, 34, 20));
  side.setColorAt(1, QColor(34, 20, 12));
  p.setBrush(side);
  p.drawPolygon(QPolygonF({FarLeft, NearLeft, NearLeft + QPointF(-2, 24), FarLeft + QPointF(0, 5)}));

  const QPolygonF top = TableTop();
  QLinearGradient wood(FarRight, NearLeft);
  wood.setColorAt(0, QColor(132, 82, 44));
  wood.setColorAt(1, QColor(70, 40, 22));
  p.setBrush(wood);
  p.drawPolygon(top);

  p.save();
  QPainterPath clip;
  clip.addPolygon(top);
  p.setClipPath(clip);
  RandomStream grain(0x7AB1E);
  for (qreal x = NearLeft.x() + 36; x < NearRight.x(); x += 52) {
    p.setPen(QPen(QColor(40, 22, 12, 150), 1.4));
    p.drawLine(Vanishing, QPointF(x, Height));
    p.setPen(QPen(QColor(60, 34, 18, 55), 1));
    for (int line = 0; line < 4; ++line) {
      const qreal at = x + grain.Between(-46, -6);
      p.drawLine(Vanishing + QPointF(grain.Between(-3, 3), 0), QPointF(at, Height));
    }
  }
  // Rings left by cups set down at the thrower's end.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(36, 20, 10, 70), 2));
  p.drawEllipse(QPointF(168, 478), 22, 7);
  p.drawEllipse(QPointF(214, 500), 21, 7);
  p.setPen(QPen(QColor(36, 20, 10, 45), 2));
  p.drawEllipse(QPointF(196, 462), 21, 6.5);
  PaintLightPool(p, QPointF(548, 226), 340, 120);
  p.restore();

  // The edge of the top catches the light along the far end and down the left side.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(200, 150, 92), 2));
  p.drawLine(FarLeft, FarRight);
  p.setPen(QPen(QColor(150, 100, 60), 1.5));
  p.drawLine(FarLeft, NearLeft);
  p.setPen(QPen(QColor(40, 24, 14), 2));
  p.drawLine(FarRight, NearRight);
}

// A dark, recessed slot with a scale beside it, for a bar that the game fills in.
void PaintWell(QPainter& p, const QRectF& slot, int ticks) {
  p.setPen(QPen(palette::BrassShade, 2));
  p.setBrush(QColor(16, 12, 11));
  p.drawRoundedRect(slot, 2, 2);
  QLinearGradient inner(slot.topLeft(), slot.topRight());
  inner.setColorAt(0, QColor(0, 0, 0, 120));
  inner.setColorAt(0.25, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(inner);
  p.drawRect(slot.adjusted(1, 1, -1, -1));
  p.setPen(QPen(palette::Brass, 1));
  const qreal step = (slot.height() - 2) / ticks;
  for (int i = 0; i <= ticks; ++i) {
    const qreal y = slot.bottom() - 1 - i * step;
    const qreal length = i % 5 == 0 ? 7 : 4;
    p.drawLine(QPointF(slot.left() - 3 - length, y), QPointF(slot.left() - 3, y));
  }
}

void PaintInstruments(QPainter& p) {
  const QColor top(62, 40, 28, 235);
  const QColor bottom(26, 16, 12, 235);
  // The power meter's bar fills x 55-114 upward from y 252, up to 150 rows.
  DrawPlate(p, QRectF(34, 86, 96, 200), 10, top, bottom);
  PaintWell(p, QRectF(53, 101, 63, 154), 10);
  DrawCentredText(p, QRectF(34, 258, 96, 22), "POWER", Lettering(13), palette::Cream, palette::Ink, 0);
  // The drink gauge fills x 215-234 upward from y 196, up to 100 rows.
  DrawPlate(p, QRectF(194, 82, 58, 144), 10, top, bottom);
  PaintWell(p, QRectF(213, 95, 23, 104), 10);
  DrawCentredText(p, QRectF(194, 202, 58, 20), "DRINK", Lettering(11), palette::Cream, palette::Ink, 0);
}

// The cup-count panel: the game writes "NAME   Cups hit: N" at (510, 325) in red and
// sets one cup icon (40 x 40) on each of the 15 places of a triangle whose rows start at
// y 350, 386, 422, 458 and 494. A faint ring marks each place so that a gone cup leaves
// a gap.
void PaintCupPanel(QPainter& p) {
  DrawPlate(p, QRectF(490, 314, 212, 228), 12, QColor(40, 30, 26, 235), QColor(18, 12, 10, 235));
  // Pure red is a dark colour: only a nearly black backing gives the header line a
  // contrast of 4.5:1 (this one gives about 5:1).
  p.setPen(QPen(palette::BrassShade, 1));
  p.setBrush(QColor(12, 9, 8));
  p.drawRoundedRect(QRectF(497.5, 319.5, 197, 22), 4, 4);
  p.setPen(QPen(palette::BrassShade, 1));
  p.drawLine(QPointF(502, 344), QPointF(690, 344));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 5 - row; ++column) {
      const qreal x = 500 + column * 36 + (row * 36) / 2;
      const qreal y = 350 + 36 * row;
      p.drawEllipse(QPointF(x + 20, y + 34), 11, 3.5);
    }
}

}  // namespace

QImage DrawGameBackground() {
  QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(30, 20, 16));
  QPainter p(&image);
  PrepareSmooth(p);
  PaintPanelledWall(p, QRectF(0, 0, Width, WallFoot), 62);
  PaintNeonWord(p, QRectF(30, 8, 230, 58), "Tumbra", 40, QColor(255, 96, 150));
  PaintBottleShelf(p, QRectF(622, 8, 128, 50));
  PaintFloor(p);
  PaintTable(p);
  PaintPendantLamp(p, QPointF(548, 36));
  PaintLightPool(p, QPointF(548, 40), 120, 70);
  PaintVignette(p, QRectF(0, 0, Width, Height), 150);
  PaintInstruments(p);
  PaintCupPanel(p);
  return image;
}
