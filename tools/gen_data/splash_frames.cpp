#include <algorithm>
#include <cmath>
#include <vector>


#include "drawing.h"
#include "palette.h"
#include "pictures.h"
#include "random_stream.h"

namespace {

// The game draws a frame 10 pixels left of and 41 above the cup picture, so the middle
// of the cup's mouth lands here in the frame.
constexpr double BaseX = 43;
constexpr double BaseY = 51;
// The game shows frames 0 to 10, about a third of a second each group of three steps;
// the flight of the drops is laid out over that many frames.
constexpr double SeenFrames = 11;
constexpr double Gravity = 230;  // pixels per unit of splash time squared

struct Drop {
  double vx, vy, radius;
  bool foam;
};

std::vector<Drop> Drops() {
  RandomStream random(0x5EA1);
  std::vector<Drop> drops;
  for (int i = 0; i < 40; ++i) {
    const double angle = random.Between(-0.7, 0.7);
    const double speed = random.Between(85, 165);
    drops.push_back({std::sin(angle) * speed, std::cos(angle) * speed, random.Between(1.5, 3.3),
                     random.Uniform() < 0.3});
  }
  return drops;
}

void PaintDrop(QPainter& p, QPointF at, double radius, double stretch, bool foam, double fade) {
  const QColor liquid = foam ? palette::Foam : palette::Beer;
  const QColor colour = QColor::fromRgbF(liquid.redF() + (1 - liquid.redF()) * fade * 0.5,
                                         liquid.greenF() + (1 - liquid.greenF()) * fade * 0.5,
                                         liquid.blueF() + (1 - liquid.blueF()) * fade * 0.5);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(at, radius, radius * stretch);
  if (radius > 1.6) {
    p.setBrush(QColor(255, 250, 230));
    p.drawEllipse(at + QPointF(-radius * 0.3, -radius * 0.35), radius * 0.35, radius * 0.35);
  }
}

// The drink heaped up in the mouth where the ball went in, sinking back.
void PaintSurge(QPainter& p, double t) {
  if (t > 0.35) return;
  const double rise = 1 - t / 0.35;
  p.setPen(Qt::NoPen);
  p.setBrush(palette::Beer);
  p.drawEllipse(QPointF(BaseX, BaseY - 2 * rise), 10 + 8 * rise, 3 + 4 * rise);
  p.setBrush(palette::Foam);
  p.drawEllipse(QPointF(BaseX - 1, BaseY - 4 * rise), 6 + 6 * rise, 2 + 3 * rise);
}

QPointF Flight(const Drop& drop, double t) {
  constexpr double Pace = 0.8;  // splash time to seconds-of-flight
  return {BaseX + drop.vx * t * Pace, BaseY - drop.vy * t * Pace + 0.5 * Gravity * t * t * Pace};
}

// While the drops are fast they are seen as streaks: a fountain thrown up out of the cup.
void PaintStreak(QPainter& p, const Drop& drop, double t, double radius) {
  if (t > 0.5) return;
  const QColor colour = drop.foam ? palette::Foam : palette::Beer;
  p.setPen(QPen(colour, radius * 1.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(Flight(drop, std::max(0.0, t - 0.12)), Flight(drop, t));
}

}  // namespace

// A splash of drink from the cup's mouth: a fountain of streaks over a surge of foam
// first, then drops that fall back, shrinking and paling as they go; the frames the
// game never shows only finish the fade.
QImage DrawSplashFrame(int frame) {
  QImage image = NewDrawing(100, 60);
  QPainter painter(&image);
  PrepareSmooth(painter);
  const double t = (frame + 1) / SeenFrames;  // 0.09 .. 1.36
  PaintSurge(painter, t);
  const double fade = std::clamp((t - 0.45) / 0.9, 0.0, 1.0);
  for (const Drop& drop : Drops()) {
    const QPointF at = Flight(drop, t);
    if (at.y() > BaseY + 4 || at.x() < 1 || at.x() > 99 || at.y() < 1) continue;  // back in the cup or out of frame
    const double radius = drop.radius * (1 - 0.75 * fade);
    if (radius < 0.7) continue;
    PaintStreak(painter, drop, t, radius);
    const double falling = (drop.vy - Gravity * t) < 0 ? 1.35 : 1.1;
    PaintDrop(painter, at, radius, falling, drop.foam, fade);
  }
  return image;
}
