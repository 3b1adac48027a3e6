#include <gtest/gtest.h>

#include <QGuiApplication>

#include "test_support.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Text is drawn with Qt's painter, which needs an application object (no screen).
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
