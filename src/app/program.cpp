#include "app/program.h"

#include "app/config.h"
#include "app/internet_game.h"
#include "app/window_proc.h"
#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "display/display.h"
#include "game/game_bitmaps.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "platform/platform.h"

namespace {
int ExitCode = 0;
}

int StartUp() {
  if (!ReadConfig()) {
    MainWindow->MessageBox("Could not read configuration file: config.ini", "ERROR");
    return 0;
  }
  if (!InitDisplay()) {
    MainWindow->MessageBox("DirectDraw Could not be initialized", "ERROR");
    return 0;
  }
  if (!LoadGameBitmaps()) {
    MainWindow->MessageBox("Game Bitmaps could not be initialized", "ERROR");
    return 0;
  }
  InitSoundEffects();
  StartMusic();
  ShowTitleScreen();
  return 1;
}

bool MainLoopPass() {
  Message message;
  if (MainWindow->PeekMessage(message)) {
    if (message.message == WM_QUIT) {
      ExitCode = static_cast<int>(message.wParam);
      return false;
    }
    MainWindowProc(message.message, message.wParam, message.lParam);
  }
  if (FrameHandler) FrameHandler();
  return true;
}

int QuitCode() { return ExitCode; }

void ShutDown() {
  LeaveInternetGame();
  StopMusic();
  ReleaseGameImages();
  ReleaseDisplay();
}

int RunProgram(Platform& window) {
  MainWindow = &window;
  if (!StartUp()) return StartFailed;
  while (MainLoopPass()) {
  }
  ShutDown();
  return QuitCode();
}
