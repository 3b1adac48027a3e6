#include "app/options_dialog.h"

#include <string>

#include "app/config.h"
#include "app/window_proc.h"
#include "audio/music_player.h"
#include "base/settings.h"
#include "platform/platform.h"
#include "resources/dialogs.h"

namespace {

struct Field {
  int id;
  char* setting;
  int size;
};

const Field Fields[] = {
    {IdUsername, Username, UsernameSize},
    {IdPassword, Password, PasswordSize},
    {IdMusicFolder, MusicFolder, MusicFolderSize},
    {IdServer, ServerName, ServerNameSize},
};

void RestartMusic() {
  if (MusicIdle && MusicOn) StartMusic();
}

// A value holding "=" would be saved, and every later start-up would then refuse the
// file: the player would lock himself out. It is refused here instead.
bool Acceptable(DialogContext& dialog) {
  for (const Field& f : Fields)
    if (dialog.GetItemText(f.id).find('=') != std::string::npos) return false;
  return true;
}

void Save(DialogContext& dialog) {
  for (const Field& f : Fields) CopyField(f.setting, f.size, dialog.GetItemText(f.id).c_str());
  WriteConfig();
}

}  // namespace

std::intptr_t OptionsDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t) {
  if (message == WM_INITDIALOG) {
    if (!MusicIdle) StopMusic();
    for (const Field& f : Fields) dialog.SetItemText(f.id, f.setting);
    return 1;
  }
  if (message != WM_COMMAND) return 0;
  switch (LowWord(wParam)) {
    case IdOk:
      if (!Acceptable(dialog)) {
        MainWindow->MessageBox("Settings cannot contain the character =.", "ERROR");
        return 1;
      }
      Save(dialog);
      dialog.EndDialog(0);
      RestartMusic();
      return 1;
    case IdCancel:
      dialog.EndDialog(0);
      RestartMusic();
      return 1;
    case IdBrowse: {
      std::string folder = dialog.BrowseForFolder("Choose a Music Directory");
      if (!folder.empty()) dialog.SetItemText(IdMusicFolder, folder);
      return 1;
    }
    default: return 0;
  }
}
