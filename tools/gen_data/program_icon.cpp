#include "program_icon.h"

#include <QRadialGradient>

#include "drawing.h"
#include "palette.h"
#include "party_cup.h"

// Drawn once on a 256-unit canvas and scaled, so every size shows the same picture.
QImage DrawProgramIcon(int size) {
  QImage image = NewDrawing(size, size);
  QPainter p(&image);
  PrepareSmooth(p);
  p.scale(size / 256.0, size / 256.0);

  QRadialGradient backdrop(QPointF(128, 96), 190);
  backdrop.setColorAt(0, QColor(120, 74, 40));
  backdrop.setColorAt(1, QColor(34, 20, 14));
  p.setPen(QPen(palette::Brass, 8));
  p.setBrush(backdrop);
  p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

  const CupShape cup{{128, 112}, 78, 24, 214, 50};
  DrawPartyCup(p, cup, RedCup());

  PaintBall(p, QPointF(152, 60), 26);
  return image;
}
