#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "palette.h"

// An empty, fully transparent drawing of w x h pixels.
QImage NewDrawing(int width, int height);

// A painter that antialiases shapes and text.
void PrepareSmooth(QPainter& painter);

// The game's lettering face at a size in pixels.
QFont Lettering(qreal pixelSize, bool bold = true);

// Text as one shape, centred in a box: a dark edge of the given width around the fill,
// so that it reads on any background.
void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     const QColor& fill, const QColor& edge, qreal edgeWidth);

// A white ping-pong ball lit from the upper left.
void PaintBall(QPainter& painter, QPointF centre, qreal radius);

// The game's plate: a rounded board with a vertical shade and a brass rim, used behind
// banners, buttons and the on-screen instruments.
void DrawPlate(QPainter& painter, const QRectF& box, qreal radius, const QColor& top,
               const QColor& bottom, const QColor& rim = palette::Brass);
