#pragma once
#include <functional>
#include <vector>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/game_window.h"

// A fresh game window for each test, with its start-up messages already taken.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Takes every queued message and returns the wParams of those of one kind.
  std::vector<std::intptr_t> Taken(int message);

  // Runs `act` once a modal window of type W is up (checked every few milliseconds),
  // for driving message boxes and dialogs that block the test until they close.
  template <class W>
  void WhenShown(std::function<void(W&)> act) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
      W* shown = qobject_cast<W*>(QApplication::activeModalWidget());
      if (!shown) return;
      poll->stop();
      poll->deleteLater();
      act(*shown);
    });
    poll->start(5);
  }

  DesktopPlatform platform;
  GameWindow& window = platform.Window();

 private:
  // Closes whatever a broken test left open, so that it fails instead of hanging.
  QTimer watchdog_;
};

void PressKey(QWidget& target, int key, const QString& text = {}, bool autoRepeat = false,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void ReleaseKey(QWidget& target, int key, bool autoRepeat = false);
