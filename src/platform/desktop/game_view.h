#pragma once
#include <functional>
#include <map>

#include <QImage>
#include <QWidget>

#include "platform/desktop/shown_frame.h"
#include "platform/platform.h"

// The picture area under the menu bar. The game's frame is scaled to the largest size
// that fits, keeping its shape, centred on black: pixel for pixel at a whole-number
// scale, smoothly otherwise. The scaling is done in the screen's own pixels (desktop
// scaling included), once for each part of a frame that changed, into a picture kept
// for painting; a frame that changes nothing costs no painting at all.
class GameView : public QWidget {
  Q_OBJECT

 public:
  // onTitleClick hears the id of a title zone clicked.
  explicit GameView(std::function<void(int id)> onTitleClick, QWidget* parent = nullptr);

  // Takes the frame and puts what changed on screen before returning: the game may go to
  // sleep right after presenting (the re-rack pause) and that frame has to be visible.
  void Show(const FrameView& frame);

  // Click zones of the title screen, in frame pixels. Adding an id again moves its zone.
  void AddTitleZone(int id, Rect where);
  void RemoveTitleZone(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Layout();
  void Rescale(const QRect& part);
  QRect ToView(const QRect& device) const;
  int ZoneAt(QPointF viewPoint) const;

  std::function<void(int id)> onTitleClick_;
  ShownFrame shown_;
  QImage scaled_;    // the picture in device pixels, as large as it is drawn
  QRect picture_;    // where it lies in the view, device pixels
  qreal ratio_ = 1;  // device pixels per view pixel
  bool wholeScale_ = false;
  std::map<int, Rect> zones_;
  int pressedZone_ = -1;
};
