#include <QGuiApplication>

#include <cstdlib>

#include "test_support.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // No screen and no sound card; text is drawn with Qt's painter, which needs an
  // application object all the same.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
