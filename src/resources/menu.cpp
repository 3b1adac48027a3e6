#include "resources/menu.h"

const std::vector<MenuPopup>& MainMenu() {
  static const std::vector<MenuPopup> menu = {
      {"Game",
       {{"New Single Player", CmdNewSinglePlayer, false},
        {"New VS Game", CmdNewVersusGame, false},
        {"New Internet Game", CmdNewInternetGame, false},
        {"Exit", CmdExit, false}}},
      {"Options",
       {{"Options", CmdOptions, false},
        {"Sound FX On", CmdSoundFx, true},
        {"Music On", CmdMusic, true}}},
      {"Help", {{"How to Play...", CmdHowToPlay, false}, {"Official Tumbra Rules", CmdRules, false}}},
      {"About",
       {{"About Tumbra...", CmdAboutTumbra, false}, {"About Qervo Software...", CmdAboutQervo, false}}},
  };
  return menu;
}
