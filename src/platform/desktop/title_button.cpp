#include "platform/desktop/title_button.h"

#include <QMouseEvent>

TitleButton::TitleButton(QWidget* parent, std::function<void()> onClick)
    : QWidget(parent), onClick_(std::move(onClick)) {
  setAttribute(Qt::WA_NoSystemBackground);
}

void TitleButton::paintEvent(QPaintEvent*) {}

void TitleButton::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

// Like a push button, a click counts when the left button goes up over the zone it went
// down on; sliding off before letting go cancels it.
void TitleButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool clicked = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
  pressed_ = false;
  if (clicked) onClick_();
}
