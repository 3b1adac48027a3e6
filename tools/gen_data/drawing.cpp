#include "drawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

QImage NewDrawing(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void PrepareSmooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont Lettering(qreal pixelSize, bool bold) {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(qRound(pixelSize));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     const QColor& fill, const QColor& edge, qreal edgeWidth) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF bounds = path.boundingRect();
  path.translate(box.center() - bounds.center());
  painter.save();
  if (edgeWidth > 0) {
    painter.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  painter.restore();
}

void PaintBall(QPainter& painter, QPointF centre, qreal radius) {
  painter.save();
  QRadialGradient light(centre + QPointF(-0.33, -0.47) * radius, 1.47 * radius,
                        centre + QPointF(-0.47, -0.6) * radius);
  light.setColorAt(0.0, QColor(255, 255, 255));
  light.setColorAt(0.45, QColor(248, 246, 240));
  light.setColorAt(1.0, QColor(176, 172, 178));
  painter.setPen(QPen(QColor(150, 146, 152), std::max<qreal>(0.8, radius * 0.1)));
  painter.setBrush(light);
  painter.drawEllipse(centre, radius, radius);
  painter.restore();
}

void DrawPlate(QPainter& painter, const QRectF& box, qreal radius, const QColor& top,
               const QColor& bottom, const QColor& rim) {
  painter.save();
  QLinearGradient shade(box.topLeft(), box.bottomLeft());
  shade.setColorAt(0, top);
  shade.setColorAt(1, bottom);
  const QRectF inner = box.adjusted(1.5, 1.5, -1.5, -1.5);
  painter.setPen(QPen(rim, 3));
  painter.setBrush(shade);
  painter.drawRoundedRect(inner, radius, radius);
  // A thin bright line inside the rim catches the lamplight.
  painter.setPen(QPen(QColor(255, 236, 180, 90), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(inner.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2, radius - 2);
  painter.restore();
}
