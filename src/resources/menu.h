#pragma once
#include <vector>

// The main window's menu bar, as the player sees it: popups and items in order. Alt
// with a popup's first letter opens it.
enum MenuCommand : int {
  CmdNewSinglePlayer = 40001,
  CmdNewVersusGame = 40002,
  CmdNewInternetGame = 40003,
  CmdExit = 40004,
  CmdOptions = 40005,
  CmdSoundFx = 40008,
  CmdHowToPlay = 40009,
  CmdRules = 40010,
  CmdAboutTumbra = 40011,
  CmdAboutQervo = 40012,
  CmdMusic = 40013,
};

struct MenuItem {
  const char* text;
  int id;
  bool checked;                    // initial check mark
  const char* shortcut = nullptr;  // a key that chooses the item from anywhere, e.g. "F2"
};

struct MenuPopup {
  const char* text;
  std::vector<MenuItem> items;
};

const std::vector<MenuPopup>& MainMenu();
