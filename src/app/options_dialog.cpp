#include "app/options_dialog.h"

#include <string>

#include "app/config.h"
#include "app/setting_table.h"
#include "app/window_proc.h"
#include "audio/music_player.h"
#include "base/utf8.h"
#include "platform/platform.h"

namespace {

void RestartMusic() {
  if (MusicIdle && MusicOn) StartMusic();
}

// A value holding "=" would be saved, and every later start-up would then refuse the
// file: the player would lock himself out. A line break would do the same, and the
// other control characters have no business in a name, a folder or a server. Such
// values are refused here instead, with the message that names the fault; null when
// every value may be saved.
const char* Refusal(DialogContext& dialog) {
  const char* refusal = nullptr;
  for (const SettingRow& s : SettingTable) {
    for (unsigned char c : dialog.GetItemText(s.controlId)) {
      if (c == '=') return "Settings cannot contain the character =.";
      if (c < 32 || c == 127) refusal = "Settings cannot contain line breaks or control characters.";
    }
  }
  return refusal;
}

// Browse can name a folder whose path is longer than the setting holds: cut, it would
// name another folder, or none.
const std::string PathTooLong = "This folder's path is too long: a music folder's path can have at most " +
                                std::to_string(MusicFolderSize - 1) + " bytes.";

void Save(DialogContext& dialog) {
  for (const SettingRow& s : SettingTable) {
    const std::string text = dialog.GetItemText(s.controlId);
    CopyField(s.field, s.fieldSize, text.c_str(), WholeCharacters(text, s.fieldSize - 1));
  }
  WriteConfig();
}

}  // namespace

std::intptr_t OptionsDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t) {
  if (message == WM_INITDIALOG) {
    if (!MusicIdle) StopMusic();
    for (const SettingRow& s : SettingTable) {
      dialog.SetItemText(s.controlId, s.field);
      dialog.LimitText(s.controlId, s.fieldSize - 1);
    }
    return 1;
  }
  if (message != WM_COMMAND) return 0;
  switch (LowWord(wParam)) {
    case IdOk:
      if (const char* refusal = Refusal(dialog)) {
        MainWindow->MessageBox(refusal, "ERROR");
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
      if (folder.size() > MusicFolderSize - 1)
        MainWindow->MessageBox(PathTooLong.c_str(), "ERROR");
      else if (!folder.empty())
        dialog.SetItemText(IdMusicFolder, folder);
      return 1;
    }
    default: return 0;
  }
}
