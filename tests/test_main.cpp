#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

#include "test_support.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Tests run without a screen or a sound card. Text is drawn with Qt's painter, which
  // needs an application object all the same.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
