#include "app/window_proc.h"

#include "app/internet_game.h"
#include "app/options_dialog.h"
#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "display/display.h"
#include "game/game_state.h"
#include "game/installed_turn.h"
#include "game/screens.h"
#include "game/turn.h"
#include "platform/platform.h"
#include "resources/dialogs.h"
#include "resources/menu.h"

unsigned char MusicOn = 1;

namespace {

// Enter starts the meter on the ready banner of any turn whose record lets it, and
// throws while a human aims.
void OnEnter() {
  const TurnRecord* turn = RunningTurn();
  if (!turn || (turn->heldBy && turn->heldBy())) return;
  if (PlayState == Ready && turn->enterStarts)
    PlayState = AimStart;
  else if (PlayState == Aiming && turn->enterThrows)
    PlayState = Launch;
}

void StartGame(int (*newGame)()) {
  if (GameMode == TitleMode) ReleaseTitleImages();
  newGame();
  PlayEffect(ButtonSound);
  for (int id : TitleButtonIds) MainWindow->DestroyTitleButton(id);
}

void ToggleSoundFx() {
  SoundFxOn = !SoundFxOn;
  MainWindow->CheckMenuItem(CmdSoundFx, SoundFxOn);
}

void ToggleMusic() {
  MusicOn = !MusicOn;
  MainWindow->CheckMenuItem(CmdMusic, MusicOn);
  if (MusicOn)
    StartMusic();
  else
    StopMusic();
}

void OnCommand(std::intptr_t command) {
  switch (command) {
    case CmdNewSinglePlayer:
    case SinglePlayerButton:
      if (LeaveForSomethingElse()) StartGame(NewSinglePlayerGame);
      break;
    case CmdNewVersusGame:
    case VersusButton:
      if (LeaveForSomethingElse()) StartGame(NewVersusGame);
      break;
    case CmdNewInternetGame:
    case InternetButton:
      if (LeaveForSomethingElse() && OpenInternetGame()) StartGame(NewInternetGame);
      break;
    case CmdExit:
      if (LeaveForSomethingElse()) MainWindow->PostQuitMessage(0);
      break;
    case CmdOptions: MainWindow->DialogBox(OptionsDialog(), OptionsDialogProc); break;
    case CmdSoundFx: ToggleSoundFx(); break;
    case CmdHowToPlay: MainWindow->DialogBox(HowToPlayDialog(), InfoDialogProc); break;
    case CmdRules: MainWindow->DialogBox(RulesDialog(), InfoDialogProc); break;
    case CmdAboutTumbra: MainWindow->DialogBox(AboutTumbraDialog(), InfoDialogProc); break;
    case CmdAboutQervo: MainWindow->DialogBox(AboutQervoDialog(), InfoDialogProc); break;
    case CmdMusic: ToggleMusic(); break;
    default: break;  // anything else is answered and ignored
  }
}

}  // namespace

std::intptr_t InfoDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t) {
  if (message == WM_INITDIALOG) return 1;
  if (message == WM_COMMAND && (LowWord(wParam) == IdOk || LowWord(wParam) == IdCancel)) {
    dialog.EndDialog(0);
    return 1;
  }
  return 0;
}

std::intptr_t MainWindowProc(int message, std::intptr_t wParam, std::intptr_t) {
  switch (message) {
    case WM_DESTROY:
      LeaveInternetGame();
      MainWindow->PostQuitMessage(0);
      break;
    case WM_MOVE: MainWindow->WindowCorner(WindowOrigin.x, WindowOrigin.y); break;
    case WM_CHAR:
      if (wParam == EnterChar) OnEnter();
      break;
    case WM_COMMAND: OnCommand(wParam); break;
    case WM_NETEVENT: TakeNetworkEvent(); break;
    default: break;
  }
  return 0;
}
