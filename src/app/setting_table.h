#pragma once
#include "base/settings.h"
#include "resources/dialogs.h"

// The settings kept in config.ini and edited in the Options dialog, one row each, in the
// order the file holds them. Adding a setting is one more row here, besides its field in
// base/settings.h and its edit in the Options dialog's template.
struct SettingRow {
  const char* key;  // in config.ini, where a key counts when it begins with this name
  char* field;
  int fieldSize;    // bytes, terminator included: a value keeps at most fieldSize - 1
  int controlId;    // its edit in the Options dialog
};

inline constexpr SettingRow SettingTable[] = {
    {"username", Username, UsernameSize, IdUsername},
    {"password", Password, PasswordSize, IdPassword},
    {"music", MusicFolder, MusicFolderSize, IdMusicFolder},
    {"server", ServerName, ServerNameSize, IdServer},
};
