#pragma once
#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

// The pieces of the bar-room that the game screen and the title screen share.

// Dark vertical boards with a rail, filling the area.
void PaintPanelledWall(QPainter& painter, const QRectF& area, qreal railY);

// A green glass lamp hanging on its cord from the top of the picture, the shade's lower
// edge centred at the given point.
void PaintPendantLamp(QPainter& painter, QPointF shadeBottom);

// A warm pool of light, strongest at the centre.
void PaintLightPool(QPainter& painter, QPointF centre, qreal radius, int strength);

// Lettering made of glowing tubes, centred in the box.
void PaintNeonWord(QPainter& painter, const QRectF& box, const QString& word, qreal size,
                   const QColor& tube);

// A shelf of bottles on the wall, the shelf board at the bottom of the area.
void PaintBottleShelf(QPainter& painter, const QRectF& area);

// Darkens towards the edges of the picture.
void PaintVignette(QPainter& painter, const QRectF& area, int strength);
