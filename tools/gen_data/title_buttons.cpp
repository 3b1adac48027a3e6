#include "drawing.h"
#include "palette.h"
#include "pictures.h"

namespace {

// The title screen's buttons: a plate in the colour of the game it starts (the red
// rack, the blue rack, the grey of a game that is not there yet) with white lettering.
QImage DrawButton(int width, const QString& caption, const QColor& colour) {
  QImage image = NewDrawing(width, 60);
  QPainter painter(&image);
  PrepareSmooth(painter);
  DrawPlate(painter, QRectF(0, 0, width, 60), 14, colour.lighter(125), colour.darker(210));
  // The sheen of a glossy plastic key across its upper half.
  QLinearGradient sheen(0, 5, 0, 30);
  sheen.setColorAt(0, QColor(255, 255, 255, 90));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(sheen);
  painter.drawRoundedRect(QRectF(6, 5, width - 12, 24), 9, 9);
  const QRectF box(4, 2, width - 8, 56);
  DrawCentredText(painter, box.translated(1, 1.5), caption, Lettering(18), palette::Ink, palette::Ink, 2.5);
  DrawCentredText(painter, box, caption, Lettering(18), QColor(255, 252, 244), palette::Ink, 2.5);
  return image;
}

}  // namespace

QImage DrawSinglePlayerButton() { return DrawButton(160, "Single Player", palette::CupRed); }

QImage DrawVersusButton() { return DrawButton(160, "VS Game", palette::CupBlue); }

QImage DrawInternetButton() { return DrawButton(180, "Internet Game", QColor(104, 112, 120)); }
