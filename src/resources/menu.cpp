#include "resources/menu.h"

const std::vector<MenuPopup>& MainMenu() {
  static const std::vector<MenuPopup> menu = {
      {"Game",
       {{"New Single Player", CmdNewSinglePlayer, false, "F2"},
        {"New VS Game", CmdNewVersusGame, false, "F3"},
        {"New Internet Game", CmdNewInternetGame, false},
        {"Exit", CmdExit, false, "Ctrl+Q"}}},
      {"Options",
       {{"Options", CmdOptions, false},
        {"Sound FX On", CmdSoundFx, true},
        {"Music On", CmdMusic, true}}},
      {"Help", {{"How to Play...", CmdHowToPlay, false, "F1"}, {"Official Tumbra Rules", CmdRules, false}}},
      {"About",
       {{"About Tumbra...", CmdAboutTumbra, false}, {"About Qervo Software...", CmdAboutQervo, false}}},
  };
  return menu;
}
