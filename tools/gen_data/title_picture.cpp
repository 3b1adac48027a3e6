#include <QLinearGradient>
#include <QPainterPath>

#include "bar_room.h"
#include "drawing.h"
#include "palette.h"
#include "party_cup.h"
#include "pictures.h"

namespace {

constexpr int Width = 760;
constexpr int Height = 560;
constexpr qreal CounterTop = 448;

// The title screen writes its warning in near-white over x 20-470, y 295-395, and a line
// in white at (50, 525): both lie on dark plates of their own.
const QRectF WarningBand(10, 286, 470, 118);
const QRectF FootLine(38, 516, 440, 30);

void PaintCounter(QPainter& p) {
  QLinearGradient top(0, CounterTop - 10, 0, CounterTop + 14);
  top.setColorAt(0, QColor(150, 96, 54));
  top.setColorAt(1, QColor(92, 56, 30));
  p.fillRect(QRectF(0, CounterTop - 10, Width, 24), top);
  QLinearGradient front(0, CounterTop + 14, 0, Height);
  front.setColorAt(0, QColor(58, 34, 22));
  front.setColorAt(1, QColor(28, 18, 14));
  p.fillRect(QRectF(0, CounterTop + 14, Width, Height - CounterTop - 14), front);
  p.setPen(QPen(QColor(200, 150, 80), 3));
  p.drawLine(QPointF(0, CounterTop + 28), QPointF(Width, CounterTop + 28));
}

void PaintTitle(QPainter& p) {
  const QRectF box(18, 38, 460, 150);
  const QFont font = Lettering(104);
  PaintLightPool(p, box.center(), 260, 60);
  DrawCentredText(p, box.translated(5, 7), "Tumbra", font, QColor(12, 8, 6, 200), QColor(12, 8, 6, 200), 8);
  QLinearGradient gold(0, box.top() + 20, 0, box.bottom() - 20);
  gold.setColorAt(0, QColor(255, 240, 170));
  gold.setColorAt(0.5, QColor(255, 190, 60));
  gold.setColorAt(1, QColor(210, 110, 24));
  QPainterPath word;
  word.addText(0, 0, font, "Tumbra");
  word.translate(box.center() - word.boundingRect().center());
  p.setPen(QPen(QColor(70, 30, 10), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(word);
  p.setPen(Qt::NoPen);
  p.setBrush(gold);
  p.drawPath(word);
  p.setPen(QPen(QColor(255, 250, 220, 150), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(word.translated(-1, -1));

  DrawCentredText(p, QRectF(18, 196, 460, 36), "cup toss in the back room", Lettering(24, false),
                  palette::Cream, palette::Ink, 3);
  p.setPen(QPen(palette::Brass, 2));
  p.drawLine(QPointF(70, 246), QPointF(426, 246));
  p.setBrush(palette::Brass);
  p.drawEllipse(QPointF(248, 246), 4, 4);
}

void PaintRack(QPainter& p) {
  // Back row first, so that nearer cups cover the ones behind, as in the game.
  const struct {
    qreal x, y;
    bool isBlue;
  } cups[] = {{560, 394, false}, {610, 394, false}, {660, 394, false}, {585, 408, false},
              {635, 408, false}, {610, 422, false}, {470, 428, true},  {700, 430, true}};
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 10, 6, 120));
  p.drawEllipse(QPointF(628, 470), 110, 10);
  for (const auto& cup : cups) {
    const CupShape shape{{cup.x, cup.y}, 20, 5.4, cup.y + 46, 13.5};
    DrawPartyCup(p, shape, cup.isBlue ? BlueCup() : RedCup());
  }
}

// A ball on its way in, with the arc it flew drawn as fading dots.
void PaintBallInFlight(QPainter& p) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 12; ++i) {
    const qreal t = i / 12.0;
    const QPointF at(500 + 110 * t, 384 - 70 * t * (1 - t) * 2.4 + 2 * t);
    p.setBrush(QColor(255, 250, 236, 30 + 12 * i));
    p.drawEllipse(at, 1.2 + 0.15 * i, 1.2 + 0.15 * i);
  }
  PaintBall(p, QPointF(617, 379), 7);
}

void PaintQuietPlates(QPainter& p) {
  p.setPen(QPen(QColor(120, 84, 40), 1.5));
  p.setBrush(QColor(14, 10, 10, 215));
  p.drawRoundedRect(WarningBand, 10, 10);
  p.setBrush(QColor(14, 10, 10, 190));
  p.drawRoundedRect(FootLine, 8, 8);
}

}  // namespace

// The title picture: the game's name over the back wall of the bar, a rack waiting on
// the counter, and room on the right for the three button pictures (x 500-695,
// y 100-360), which the game draws over it.
QImage DrawTitlePicture() {
  QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(30, 20, 16));
  QPainter p(&image);
  PrepareSmooth(p);
  PaintPanelledWall(p, QRectF(0, 0, Width, CounterTop), 270);
  PaintPendantLamp(p, QPointF(610, 40));
  PaintLightPool(p, QPointF(610, 420), 230, 90);
  PaintCounter(p);
  PaintTitle(p);
  PaintRack(p);
  PaintBallInFlight(p);
  PaintVignette(p, QRectF(0, 0, Width, Height), 150);
  PaintQuietPlates(p);
  return image;
}
