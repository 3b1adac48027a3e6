#include "drawing.h"
#include "party_cup.h"
#include "pictures.h"

namespace {

// The rack's cup: the mouth spans x 4-62, y 1-17 of the picture, which puts the
// in-the-cup zone of the hit test (x 10-50, y 1-16) on the drink and the rim zone on
// the rim; the body tapers to the bottom edge. Columns from 66 on stay empty, since the
// next cup of a row stands 70 pixels to the right.
const CupShape RackCup{{33, 9}, 28.5, 7.6, 93.0, 19.0};

QImage DrawRackCup(const CupColours& colours) {
  QImage image = NewDrawing(80, 100);
  QPainter painter(&image);
  PrepareSmooth(painter);
  DrawPartyCup(painter, RackCup, colours);
  return image;
}

}  // namespace

QImage DrawRedCup() { return DrawRackCup(RedCup()); }

QImage DrawBlueCup() { return DrawRackCup(BlueCup()); }

// The cup-count panel shows one icon per standing cup of whichever rack is in play, so
// the icon is a plain white cup rather than a red or a blue one. Icons stand 36 pixels
// apart either way: the cup keeps well inside 36 x 36 pixels.
QImage DrawViewCup() {
  QImage image = NewDrawing(40, 40);
  QPainter painter(&image);
  PrepareSmooth(painter);
  const CupShape shape{{20, 7.5}, 13.5, 5.2, 32.0, 9.0};
  DrawPartyCup(painter, shape,
               {QColor(238, 234, 226), QColor(150, 142, 132), QColor(92, 84, 76), QColor(226, 220, 210)});
  return image;
}
