#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The window remembers its place and switches; never in the tester's own settings.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  // A small screen, on which the game's window does not fit at 1:1.
  QFile screens(settings.filePath("screens.json"));
  screens.open(QIODevice::WriteOnly);
  screens.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 800, "height": 480}]})");
  screens.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
