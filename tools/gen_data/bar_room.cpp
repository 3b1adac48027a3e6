#include "bar_room.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "drawing.h"
#include "palette.h"
#include "random_stream.h"

void PaintPanelledWall(QPainter& p, const QRectF& area, qreal railY) {
  p.save();
  p.setClipRect(area);
  QLinearGradient paper(0, area.top(), 0, railY);
  paper.setColorAt(0, QColor(36, 22, 24));
  paper.setColorAt(1, QColor(54, 30, 30));
  p.fillRect(QRectF(area.left(), area.top(), area.width(), railY - area.top()), paper);
  // A faint damask of diamonds on the paper above the rail.
  p.setPen(QPen(QColor(80, 46, 40, 70), 1));
  for (qreal x = area.left() - 40; x < area.right() + 40; x += 24)
    for (qreal y = area.top() + 6; y < railY - 6; y += 24) {
      QPainterPath d;
      d.moveTo(x, y - 6);
      d.lineTo(x + 5, y);
      d.lineTo(x, y + 6);
      d.lineTo(x - 5, y);
      d.closeSubpath();
      p.drawPath(d);
    }

  QLinearGradient boards(0, railY, 0, area.bottom());
  boards.setColorAt(0, QColor(74, 44, 28));
  boards.setColorAt(1, QColor(46, 28, 20));
  p.fillRect(QRectF(area.left(), railY, area.width(), area.bottom() - railY), boards);
  RandomStream grain(0xB0A2D5);
  for (qreal x = area.left(); x < area.right(); x += 38) {
    p.setPen(QPen(QColor(28, 16, 12, 200), 2));
    p.drawLine(QPointF(x, railY), QPointF(x, area.bottom()));
    p.setPen(QPen(QColor(110, 70, 44, 60), 1));
    p.drawLine(QPointF(x + 2, railY), QPointF(x + 2, area.bottom()));
    p.setPen(QPen(QColor(30, 18, 12, 40), 1));
    for (int line = 0; line < 3; ++line) {
      const qreal gx = x + grain.Between(8, 32);
      p.drawLine(QPointF(gx, railY + 4), QPointF(gx + grain.Between(-2, 2), area.bottom()));
    }
  }
  QLinearGradient rail(0, railY - 4, 0, railY + 5);
  rail.setColorAt(0, QColor(132, 86, 50));
  rail.setColorAt(0.5, QColor(96, 60, 34));
  rail.setColorAt(1, QColor(34, 20, 14));
  p.fillRect(QRectF(area.left(), railY - 4, area.width(), 9), rail);
  p.restore();
}

void PaintPendantLamp(QPainter& p, QPointF shadeBottom) {
  p.save();
  const qreal x = shadeBottom.x();
  const qreal bottom = shadeBottom.y();
  p.setPen(QPen(QColor(20, 16, 14), 2));
  p.drawLine(QPointF(x, 0), QPointF(x, bottom - 22));
  QPainterPath shade;
  shade.moveTo(x - 10, bottom - 24);
  shade.lineTo(x + 10, bottom - 24);
  shade.cubicTo(x + 20, bottom - 20, x + 36, bottom - 10, x + 38, bottom);
  shade.lineTo(x - 38, bottom);
  shade.cubicTo(x - 36, bottom - 10, x - 20, bottom - 20, x - 10, bottom - 24);
  shade.closeSubpath();
  QLinearGradient glass(x - 38, 0, x + 38, 0);
  glass.setColorAt(0, QColor(14, 60, 34));
  glass.setColorAt(0.35, QColor(52, 140, 82));
  glass.setColorAt(1, QColor(12, 48, 28));
  p.setPen(QPen(QColor(170, 130, 60), 1.2));
  p.setBrush(glass);
  p.drawPath(shade);
  QRadialGradient bulb(QPointF(x, bottom), 30);
  bulb.setColorAt(0, QColor(255, 244, 210, 255));
  bulb.setColorAt(0.3, QColor(255, 214, 140, 150));
  bulb.setColorAt(1, QColor(255, 190, 100, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(bulb);
  p.drawEllipse(QPointF(x, bottom), 30, 14);
  p.setPen(QPen(QColor(200, 160, 80), 2));
  p.drawLine(QPointF(x - 38, bottom), QPointF(x + 38, bottom));
  p.restore();
}

void PaintLightPool(QPainter& p, QPointF centre, qreal radius, int strength) {
  p.save();
  QRadialGradient pool(centre, radius);
  const QColor light = palette::Lamplight;
  pool.setColorAt(0, QColor(light.red(), light.green(), light.blue(), strength));
  pool.setColorAt(0.5, QColor(light.red(), light.green(), light.blue(), strength / 3));
  pool.setColorAt(1, QColor(light.red(), light.green(), light.blue(), 0));
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  p.setPen(Qt::NoPen);
  p.setBrush(pool);
  p.drawEllipse(centre, radius, radius);
  p.restore();
}

void PaintNeonWord(QPainter& p, const QRectF& box, const QString& word, qreal size,
                   const QColor& tube) {
  p.save();
  const QFont font = Lettering(size);
  // Wide faint strokes first, then narrower brighter ones: the glow around a tube.
  for (int i = 5; i >= 1; --i) {
    QColor glow = tube;
    glow.setAlpha(18 + 6 * (5 - i));
    DrawCentredText(p, box, word, font, Qt::transparent, glow, i * size * 0.09);
  }
  DrawCentredText(p, box, word, font, Qt::transparent, tube.lighter(130), size * 0.07);
  DrawCentredText(p, box, word, font, Qt::transparent, QColor(255, 248, 236), size * 0.025);
  p.restore();
}

void PaintBottleShelf(QPainter& p, const QRectF& area) {
  p.save();
  const QColor glasses[] = {QColor(40, 86, 44), QColor(96, 52, 20), QColor(120, 110, 90),
                            QColor(70, 30, 24), QColor(30, 60, 70)};
  RandomStream random(0x5E1F);
  int i = 0;
  for (qreal x = area.left() + 6; x < area.right() - 14; x += random.Between(17, 24), ++i) {
    const qreal h = random.Between(area.height() * 0.62, area.height() * 0.95);
    const qreal w = random.Between(10, 14);
    const qreal top = area.bottom() - 4 - h;
    QPainterPath bottle;
    bottle.addRoundedRect(QRectF(x, top + h * 0.38, w, h * 0.62), 3, 3);
    bottle.addRect(QRectF(x + w * 0.34, top, w * 0.32, h * 0.42));
    p.setPen(Qt::NoPen);
    p.setBrush(glasses[i % 5]);
    p.drawPath(bottle.simplified());
    p.setBrush(QColor(255, 220, 160, 90));
    p.drawRect(QRectF(x + 2, top + h * 0.45, 1.6, h * 0.4));
    p.setBrush(QColor(220, 200, 160, 120));
    p.drawRect(QRectF(x + 1, top + h * 0.62, w - 2, h * 0.16));
  }
  QLinearGradient board(0, area.bottom() - 5, 0, area.bottom() + 3);
  board.setColorAt(0, QColor(120, 78, 44));
  board.setColorAt(1, QColor(40, 24, 16));
  p.fillRect(QRectF(area.left(), area.bottom() - 5, area.width(), 8), board);
  p.restore();
}

void PaintVignette(QPainter& p, const QRectF& area, int strength) {
  p.save();
  QRadialGradient shade(area.center(), area.width() * 0.72);
  shade.setColorAt(0.55, QColor(0, 0, 0, 0));
  shade.setColorAt(1, QColor(0, 0, 0, strength));
  p.fillRect(area, shade);
  p.restore();
}
