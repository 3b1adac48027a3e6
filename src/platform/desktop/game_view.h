#pragma once
#include <QImage>
#include <QWidget>

#include "platform/platform.h"

// The picture area under the menu bar: shows the last presented frame pixel for pixel,
// black until the first one arrives.
class GameView : public QWidget {
  Q_OBJECT

 public:
  explicit GameView(QWidget* parent = nullptr);

  // Copies the frame and puts it on screen before returning: the game may go to sleep
  // right after presenting (the re-rack pause) and that frame has to be visible by then.
  void Show(const FrameView& frame);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage frame_;
};
