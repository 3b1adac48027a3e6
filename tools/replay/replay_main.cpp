// tumbra-replay: runs the game on a virtual clock from a script, for tests and bug
// reports. Usage: tumbra-replay [SCRIPT]   (standard input when no file is given)
#include <QGuiApplication>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/headless/headless_platform.h"
#include "platform/quit_signals.h"
#include "replay_script.h"
#include "script_input.h"
#include "trace.h"

int main(int argc, char** argv) {
  if (AnswerInfoOption(argc, argv, "tumbra-replay",
                       "[--help | --version | SCRIPT]   plays the game from SCRIPT or standard input"))
    return 0;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  setenv("SDL_AUDIODRIVER", "dummy", 0);  // a named driver still wins
  QGuiApplication app(argc, argv);

  std::ifstream file;
  if (argc > 1) {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "tumbra-replay: cannot open " << argv[1] << "\n";
      return ScriptError;
    }
  }
  ScriptInput typed;
  std::istream standardInput(&typed);
  std::istream& script = argc > 1 ? static_cast<std::istream&>(file) : standardInput;

  // Ctrl-C or kill ends a replay as `close` does, also while it waits for a line.
  InstallQuitSignals();
  HeadlessPlatform platform(32);
  MainWindow = &platform;
  InstallTrace();
  if (!StartUp()) {
    TraceLine("exit " + std::to_string(StartFailed));
    return StartFailed;
  }
  return RunScript(script, platform);
}
