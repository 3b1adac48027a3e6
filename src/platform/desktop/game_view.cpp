#include "platform/desktop/game_view.h"

#include <QPainter>

#include "display/display.h"

GameView::GameView(QWidget* parent) : QWidget(parent) {
  setFixedSize(BackBufferWidth, BackBufferHeight);
  // Every pixel is painted here, so Qt need not clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GameView::Show(const FrameView& frame) {
  QImage::Format format;
  switch (frame.depth) {
    case 16: format = QImage::Format_RGB16; break;
    case 32: format = QImage::Format_RGB32; break;
    default: return;
  }
  frame_ = QImage(static_cast<const uchar*>(frame.pixels), frame.width, frame.height,
                  frame.pitch, format)
               .copy();
  repaint();
}

void GameView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  // Logical pixels: on a HiDPI screen the frame is scaled up by the device pixel ratio.
  if (!frame_.isNull()) painter.drawImage(QPoint(0, 0), frame_);
}
