#pragma once
#include "platform/dialog.h"

// Control ids of the Options dialog.
enum OptionsControl : int {
  IdOk = 1,
  IdCancel = 2,
  IdUsername = 1001,
  IdPassword = 1002,
  IdServer = 1004,
  IdMusicFolder = 1005,
  IdBrowse = 1006,
};

const DialogTemplate& HowToPlayDialog();
const DialogTemplate& RulesDialog();
const DialogTemplate& AboutTumbraDialog();
const DialogTemplate& AboutQervoDialog();
const DialogTemplate& OptionsDialog();
