// Tumbra: the cup toss across a table. The desktop program: one window, the game inside.
#include <QApplication>

#include "app/program.h"
#include "platform/desktop/desktop_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  DesktopPlatform window;
  return RunProgram(window);
}
