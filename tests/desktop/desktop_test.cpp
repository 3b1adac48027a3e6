#include "desktop_test.h"

#include <QDialog>
#include <QKeyEvent>

void DesktopTest::SetUp() {
  watchdog_.setSingleShot(true);
  QObject::connect(&watchdog_, &QTimer::timeout, [] {
    ADD_FAILURE() << "a modal window was still open after 10 s";
    while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      dialog->done(0);
  });
  watchdog_.start(10000);
  Taken(0);
}

void DesktopTest::TearDown() { watchdog_.stop(); }

std::vector<std::intptr_t> DesktopTest::Taken(int message) {
  std::vector<std::intptr_t> out;
  Message m;
  while (platform.PeekMessage(m))
    if (m.message == message) out.push_back(m.wParam);
  return out;
}

void PressKey(QWidget& target, int key, const QString& text, bool autoRepeat,
              Qt::KeyboardModifiers modifiers) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text, autoRepeat);
  QApplication::sendEvent(&target, &event);
}

void ReleaseKey(QWidget& target, int key, bool autoRepeat) {
  QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(&target, &event);
}
