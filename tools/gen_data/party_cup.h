#pragma once
#include <QColor>
#include <QPainter>
#include <QPointF>

// A party cup seen from above at a slant: an elliptical mouth, a body that tapers to a
// smaller elliptical foot. The mouth's squash (ry / rx) is the squash of every ring.
struct CupShape {
  QPointF mouth;  // centre of the mouth ellipse
  qreal mouthRx;
  qreal mouthRy;
  qreal footY;  // centre of the foot ellipse, straight below the mouth
  qreal footRx;
};

struct CupColours {
  QColor body;
  QColor shade;
  QColor outline;
  QColor inside;
};

// The two racks' cups: coloured outside, white inside.
CupColours RedCup();
CupColours BlueCup();

void DrawPartyCup(QPainter& painter, const CupShape& shape, const CupColours& colours);
