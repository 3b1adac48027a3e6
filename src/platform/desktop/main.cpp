// Tumbra: the cup toss across a table. The desktop program: one window, the game inside.
#include <QApplication>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/desktop/desktop_platform.h"

int main(int argc, char** argv) {
  if (AnswerInfoOption(argc, argv, "tumbra", "[--help | --version]   opens the game's window"))
    return 0;
  QApplication app(argc, argv);
  DesktopPlatform window;
  return RunProgram(window);
}
