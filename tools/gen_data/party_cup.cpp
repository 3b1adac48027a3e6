#include "party_cup.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "palette.h"

namespace {

QRectF Ellipse(QPointF centre, qreal rx, qreal ry) {
  return {centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry};
}

QPainterPath Silhouette(const CupShape& s) {
  const qreal squash = s.mouthRy / s.mouthRx;
  const QPointF foot(s.mouth.x(), s.footY);
  QPainterPath path;
  path.moveTo(s.mouth.x() - s.mouthRx, s.mouth.y());
  path.lineTo(foot.x() - s.footRx, foot.y());
  path.arcTo(Ellipse(foot, s.footRx, s.footRx * squash), 180, 180);
  path.lineTo(s.mouth.x() + s.mouthRx, s.mouth.y());
  path.arcTo(Ellipse(s.mouth, s.mouthRx, s.mouthRy), 0, 180);
  path.closeSubpath();
  return path;
}

void PaintWall(QPainter& p, const CupShape& s, const CupColours& c, const QPainterPath& body) {
  QLinearGradient across(s.mouth.x() - s.mouthRx, 0, s.mouth.x() + s.mouthRx, 0);
  across.setColorAt(0.00, c.shade);
  across.setColorAt(0.16, c.body);
  across.setColorAt(0.30, c.body.lighter(140));
  across.setColorAt(0.42, c.body);
  across.setColorAt(0.82, c.body.darker(130));
  across.setColorAt(1.00, c.shade);
  p.setPen(Qt::NoPen);
  p.setBrush(across);
  p.drawPath(body);

  // The lamp hangs above the rack: the foot of the cup sits in the shadow of its mouth.
  QLinearGradient down(0, s.mouth.y(), 0, s.footY + 4);
  down.setColorAt(0, QColor(0, 0, 0, 0));
  down.setColorAt(1, QColor(0, 0, 0, 80));
  p.setBrush(down);
  p.drawPath(body);
}

// The moulded rings of a party cup, lower halves only: the upper halves are hidden
// behind the wall.
void PaintRings(QPainter& p, const CupShape& s, const CupColours& c) {
  const qreal squash = s.mouthRy / s.mouthRx;
  for (qreal t : {0.20, 0.44, 0.68}) {
    const qreal y = s.mouth.y() + t * (s.footY - s.mouth.y());
    const qreal rx = s.mouthRx + t * (s.footRx - s.mouthRx) - 0.5;
    QPainterPath ring;
    ring.arcMoveTo(Ellipse({s.mouth.x(), y}, rx, rx * squash), 180);
    ring.arcTo(Ellipse({s.mouth.x(), y}, rx, rx * squash), 180, 180);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.shade, 1.0));
    p.drawPath(ring);
    p.setPen(QPen(c.body.lighter(150), 0.8));
    p.drawPath(ring.translated(0, 1.1));
  }
}

void PaintMouth(QPainter& p, const CupShape& s, const CupColours& c) {
  const QRectF mouth = Ellipse(s.mouth, s.mouthRx, s.mouthRy);
  QLinearGradient inside(0, mouth.top(), 0, mouth.bottom());
  inside.setColorAt(0, c.inside);
  inside.setColorAt(1, c.inside.darker(135));
  p.setPen(Qt::NoPen);
  p.setBrush(inside);
  p.drawEllipse(mouth);

  // The drink stands a little below the rim: its surface is the mouth ellipse shrunk
  // and lowered, with a collar of foam.
  p.save();
  QPainterPath clip;
  clip.addEllipse(mouth);
  p.setClipPath(clip);
  const QPointF surface(s.mouth.x(), s.mouth.y() + s.mouthRy * 0.28);
  const qreal rx = s.mouthRx * 0.86;
  const qreal ry = s.mouthRy * 0.78;
  p.setBrush(palette::Foam);
  p.drawEllipse(Ellipse(surface, rx, ry));
  QRadialGradient beer(surface + QPointF(-rx * 0.25, -ry * 0.2), rx);
  beer.setColorAt(0, palette::Beer.lighter(115));
  beer.setColorAt(1, palette::BeerDeep);
  p.setBrush(beer);
  p.drawEllipse(Ellipse(surface + QPointF(0, ry * 0.18), rx * 0.8, ry * 0.66));
  p.setBrush(QColor(255, 240, 200, 200));
  const qreal bubble = std::max<qreal>(0.9, s.mouthRx / 24);
  for (QPointF at : {QPointF(-0.35, 0.1), QPointF(0.3, 0.25), QPointF(0.05, 0.45)})
    p.drawEllipse(Ellipse(surface + QPointF(at.x() * rx, at.y() * ry), bubble, bubble * 0.8));
  p.restore();

  // The rolled rim, lit from above, then a fine edge so that it stands off the cup behind.
  const qreal roll = std::max<qreal>(1.2, s.mouthRy * 0.36);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c.body.lighter(118), roll));
  p.drawEllipse(mouth);
  QPainterPath glint;
  glint.arcMoveTo(mouth, 100);
  glint.arcTo(mouth, 100, 70);
  p.setPen(QPen(QColor(255, 255, 255, 170), roll * 0.45, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(glint);
  p.setPen(QPen(c.outline, 0.9));
  p.drawEllipse(mouth.adjusted(-roll / 2, -roll / 2, roll / 2, roll / 2));
}

}  // namespace

CupColours RedCup() {
  return {palette::CupRed, palette::CupRedShade, palette::CupRedShade.darker(140), palette::CupInside};
}

CupColours BlueCup() {
  return {palette::CupBlue, palette::CupBlueShade, palette::CupBlueShade.darker(140), palette::CupInside};
}

void DrawPartyCup(QPainter& painter, const CupShape& shape, const CupColours& colours) {
  painter.save();
  const QPainterPath body = Silhouette(shape);
  PaintWall(painter, shape, colours, body);
  PaintRings(painter, shape, colours);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(colours.outline, 1.1));
  painter.drawPath(body);
  PaintMouth(painter, shape, colours);
  painter.restore();
}
