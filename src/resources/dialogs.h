#pragma once
#include "resources/dialog_template.h"

// Control ids of the Options dialog, besides OK and Cancel.
enum OptionsControl : int {
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

// The Internet Game dialog: whom to play, then where things stand; Play (IdOk), Cancel.
enum InternetGameControl : int {
  IdOpponent = 1101,
  IdNetStatus = 1102,
};
const DialogTemplate& InternetGameDialog();
