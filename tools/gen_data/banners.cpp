#include "drawing.h"
#include "palette.h"
#include "pictures.h"

namespace {

struct Banner {
  int width, height;
  QString title;
  QColor lettering;
  qreal titleSize;
  QString footnote;  // a second, smaller line, or empty
};

// The banners pop up over the table in the middle of the screen: a dark plate with a
// brass rim and bold lettering in the colour of the news.
QImage DrawBanner(const Banner& b) {
  QImage image = NewDrawing(b.width, b.height);
  QPainter painter(&image);
  PrepareSmooth(painter);
  DrawPlate(painter, QRectF(0, 0, b.width, b.height), 12, palette::PlateTop, palette::PlateBottom);
  QRectF titleBox(6, 4, b.width - 12, b.height - 8);
  if (!b.footnote.isEmpty()) {
    titleBox.setHeight(b.height * 0.62 - 4);
    const QRectF noteBox(6, b.height * 0.62, b.width - 12, b.height * 0.3);
    DrawCentredText(painter, noteBox, b.footnote, Lettering(13, false), palette::Cream, palette::Ink, 0);
  }
  DrawCentredText(painter, titleBox.translated(1.5, 2), b.title, Lettering(b.titleSize), palette::Ink,
                  palette::Ink, 3);
  DrawCentredText(painter, titleBox, b.title, Lettering(b.titleSize), b.lettering, palette::Ink, 3);
  return image;
}

const QString PressEnter = QStringLiteral("press Enter");

}  // namespace

QImage DrawOverBanner() { return DrawBanner({160, 60, "OVER!", QColor(255, 128, 48), 32, {}}); }

QImage DrawReRackBanner() { return DrawBanner({220, 60, "RE-RACK!", QColor(120, 220, 255), 32, {}}); }

QImage DrawHitBanner() { return DrawBanner({140, 60, "HIT!", QColor(255, 218, 64), 36, {}}); }

QImage DrawGameOverBanner() {
  QImage image = NewDrawing(200, 100);
  QPainter painter(&image);
  PrepareSmooth(painter);
  DrawPlate(painter, QRectF(0, 0, 200, 100), 14, palette::PlateTop, palette::PlateBottom);
  const QColor red(255, 72, 60);
  for (const auto& [word, box] : {std::pair{QStringLiteral("GAME"), QRectF(8, 10, 184, 40)},
                                  std::pair{QStringLiteral("OVER"), QRectF(8, 50, 184, 40)}}) {
    DrawCentredText(painter, box.translated(1.5, 2), word, Lettering(36), palette::Ink, palette::Ink, 3);
    DrawCentredText(painter, box, word, Lettering(36), red, palette::Ink, 3);
  }
  return image;
}

QImage DrawReadyBanner() {
  return DrawBanner({200, 80, "READY", palette::Cream.lighter(108), 34, PressEnter});
}

QImage DrawComputerTurnBanner() {
  return DrawBanner({200, 80, "COMPUTER'S TURN", QColor(150, 196, 255), 17, PressEnter});
}

// Enter does nothing here: the throw comes over the line from the other machine.
QImage DrawNetTurnBanner() {
  return DrawBanner({200, 80, "OPPONENT'S TURN", QColor(255, 176, 220), 17, QStringLiteral("over the Internet")});
}
