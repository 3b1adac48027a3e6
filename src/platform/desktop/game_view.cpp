#include "platform/desktop/game_view.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

GameView::GameView(std::function<void(int id)> onTitleClick, QWidget* parent)
    : QWidget(parent), onTitleClick_(std::move(onTitleClick)) {
  // Every pixel is painted here, so Qt need not clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GameView::Show(const FrameView& frame) {
  const QSize before = shown_.Image().size();
  const std::vector<QRect>& changed = shown_.Take(frame);
  if (changed.empty()) return;
  if (shown_.Image().size() != before) {
    Layout();
    repaint();
    return;
  }
  QRegion dirty;
  for (const QRect& part : changed) {
    Rescale(part);
    dirty += ToView(part);
  }
  repaint(dirty);
}

// The largest picture of the frame's shape that fits the view, in device pixels.
void GameView::Layout() {
  ratio_ = devicePixelRatioF();
  const QSize frame = shown_.Image().size();
  const QSize view(qRound(width() * ratio_), qRound(height() * ratio_));
  if (frame.isEmpty() || view.isEmpty()) {
    scaled_ = QImage();
    picture_ = QRect();
    return;
  }
  QSize size = view;
  if (qint64(view.width()) * frame.height() <= qint64(view.height()) * frame.width())
    size.setHeight(qMax(1, qRound(view.width() * qreal(frame.height()) / frame.width())));
  else
    size.setWidth(qMax(1, qRound(view.height() * qreal(frame.width()) / frame.height())));
  picture_ = QRect(QPoint((view.width() - size.width()) / 2, (view.height() - size.height()) / 2), size);
  wholeScale_ = size.width() % frame.width() == 0 &&
                size.width() / frame.width() * frame.height() == size.height();
  if (scaled_.size() != size) scaled_ = QImage(size, QImage::Format_RGB32);
  Rescale(shown_.Image().rect());
}

// Scales one part of the frame into the kept picture. Smooth scaling blends each pixel
// with its neighbours, so the part is widened by one frame pixel to leave no seams.
void GameView::Rescale(const QRect& part) {
  const QImage& frame = shown_.Image();
  if (scaled_.isNull() || frame.isNull()) return;
  const qreal sx = qreal(scaled_.width()) / frame.width();
  const qreal sy = qreal(scaled_.height()) / frame.height();
  const QRect wide = part.adjusted(-1, -1, 1, 1) & frame.rect();
  const QRect target(QPoint(int(std::floor(wide.left() * sx)), int(std::floor(wide.top() * sy))),
                     QPoint(int(std::ceil((wide.right() + 1) * sx)) - 1,
                            int(std::ceil((wide.bottom() + 1) * sy)) - 1));
  QPainter painter(&scaled_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !wholeScale_);
  painter.setClipRect(target);
  painter.drawImage(scaled_.rect(), frame);
}

// A part of the frame as the view's rectangle that shows it, grown to whole view pixels.
QRect GameView::ToView(const QRect& part) const {
  const QImage& frame = shown_.Image();
  const qreal sx = picture_.width() / (ratio_ * frame.width());
  const qreal sy = picture_.height() / (ratio_ * frame.height());
  const QPointF origin = QPointF(picture_.topLeft()) / ratio_;
  const int left = int(std::floor(origin.x() + (part.left() - 1) * sx));
  const int top = int(std::floor(origin.y() + (part.top() - 1) * sy));
  const int right = int(std::ceil(origin.x() + (part.right() + 2) * sx));
  const int bottom = int(std::ceil(origin.y() + (part.bottom() + 2) * sy));
  return QRect(QPoint(left, top), QPoint(right, bottom)) & rect();
}

void GameView::paintEvent(QPaintEvent*) {
  // The window may have gone over to a screen of another desktop scaling.
  if (ratio_ != devicePixelRatioF()) Layout();
  QPainter painter(this);
  // Drawn in device pixels, so the kept picture goes to the screen unscaled.
  painter.setWorldTransform(QTransform::fromScale(1 / ratio_, 1 / ratio_));
  const QRegion area = QRegion(QRect(QPoint(0, 0), QSize(qRound(width() * ratio_), qRound(height() * ratio_))));
  for (const QRect& border : area.subtracted(picture_)) painter.fillRect(border, Qt::black);
  if (!scaled_.isNull()) painter.drawImage(picture_.topLeft(), scaled_);
}

void GameView::resizeEvent(QResizeEvent* event) {
  Layout();
  QWidget::resizeEvent(event);
}

void GameView::AddTitleZone(int id, Rect where) { zones_[id] = where; }

void GameView::RemoveTitleZone(int id) {
  zones_.erase(id);
  if (pressedZone_ == id) pressedZone_ = -1;
}

int GameView::ZoneAt(QPointF viewPoint) const {
  const QSize frame = shown_.Image().size();
  if (picture_.isEmpty() || frame.isEmpty()) return -1;
  const QPointF device = viewPoint * ratio_ - QPointF(picture_.topLeft());
  const double x = device.x() * frame.width() / picture_.width();
  const double y = device.y() * frame.height() / picture_.height();
  for (const auto& [id, r] : zones_)
    if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return id;
  return -1;
}

void GameView::mousePressEvent(QMouseEvent* event) {
  pressedZone_ = event->button() == Qt::LeftButton ? ZoneAt(event->position()) : -1;
}

// Like a push button, a click counts when the left button goes up over the zone it went
// down on; sliding off before letting go cancels it.
void GameView::mouseReleaseEvent(QMouseEvent* event) {
  const int zone = pressedZone_;
  pressedZone_ = -1;
  if (zone >= 0 && event->button() == Qt::LeftButton && ZoneAt(event->position()) == zone)
    onTitleClick_(zone);
}
