#pragma once
#include <functional>

#include <QWidget>

// A click zone over the title picture. It draws nothing: the picture under it is the
// button's face.
class TitleButton : public QWidget {
  Q_OBJECT

 public:
  TitleButton(QWidget* parent, std::function<void()> onClick);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> onClick_;
  bool pressed_ = false;
};
