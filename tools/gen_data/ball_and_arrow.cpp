#include <QLinearGradient>
#include <QPainterPath>

#include "drawing.h"
#include "pictures.h"

// A white ping-pong ball, 15 pixels across, in the middle of its picture, lit from the
// lamp above.
QImage DrawBall() {
  QImage image = NewDrawing(40, 40);
  QPainter painter(&image);
  PrepareSmooth(painter);
  PaintBall(painter, QPointF(20, 20), 7.5);
  return image;
}

// The aim arrow points down. The landing x of a throw is the arrow picture's left edge,
// so the arrow's left side is a straight upright line ending in the tip at the bottom
// left corner, and the head flares out to the right of it.
QImage DrawArrow() {
  QImage image = NewDrawing(40, 40);
  QPainter painter(&image);
  PrepareSmooth(painter);
  QPainterPath arrow;
  arrow.moveTo(0, 1);
  arrow.lineTo(11, 1);
  arrow.lineTo(11, 17);
  arrow.lineTo(27, 17);
  arrow.lineTo(0, 40);
  arrow.closeSubpath();
  QLinearGradient glow(0, 0, 0, 40);
  glow.setColorAt(0, QColor(255, 236, 120));
  glow.setColorAt(1, QColor(255, 140, 24));
  painter.setPen(QPen(QColor(110, 50, 12), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(glow);
  painter.drawPath(arrow);
  // A bright stroke down the left side marks the line where the ball will come down.
  painter.setPen(QPen(QColor(255, 252, 220), 2.0));
  painter.drawLine(QPointF(1.0, 2), QPointF(1.0, 36));
  return image;
}
