#include "resources/dialogs.h"

namespace {

using C = DialogControl;

// An information box: one group box with the title, the lines inside it, and OK.
DialogTemplate InfoDialog(const char* name, const char* caption, int w, int h, const char* title,
                          std::vector<DialogControl> lines) {
  DialogTemplate t{name, caption, w, h, {}};
  t.controls.push_back({C::GroupBox, -1, 7, 7, w - 14, h - 35, title});
  for (DialogControl& line : lines) t.controls.push_back(line);
  t.controls.push_back({C::DefaultButton, IdOk, (w - 50) / 2, h - 21, 50, 14, "OK"});
  return t;
}

}  // namespace

const DialogTemplate& HowToPlayDialog() {
  static const DialogTemplate t = InfoDialog(
      "HowToPlay", "How to Play", 364, 235, "How to Play",
      {{C::Static, -1, 15, 20, 334, 18,
        "This box covers the controls only. For the whole game see \"Official Tumbra Rules\" "
        "in the Help menu."},
       {C::Static, -1, 15, 42, 334, 26,
        "The power meter at the left decides how far the ball goes. Press Enter (on a gamepad, "
        "A or Start) once to start the meter, and again to stop it at the power you want."},
       {C::Static, -1, 15, 72, 334, 26,
        "While the meter runs, the left and right arrow keys (or a gamepad's d-pad or left "
        "stick) slide the direction arrow above the cups. Line the arrow up with a cup, time "
        "the power, and let the ball fly."},
       {C::Static, -1, 15, 102, 334, 34,
        "Hints: the back of the rack makes a good backboard, so aim a little long rather than "
        "short. A shot at a big group of cups has more ways to go in than a shot at a lone "
        "cup on the edge."},
       {C::Static, -1, 15, 138, 334, 34,
        "Over the Internet: put your user name, your password and a Tumbra server under "
        "Options, then choose New Internet Game. Type a friend's user name as your opponent "
        "(he must type yours), or leave it empty to play anyone. If the line drops, the game "
        "tries to come back for half a minute."},
       {C::Static, -1, 15, 174, 334, 26,
        "Keys: F2 New Single Player, F3 New VS Game, F1 this box, Ctrl+Q Exit. Alt and a "
        "menu's underlined letter open it. F11 or Alt+Enter: full screen and back."}});
  return t;
}

const DialogTemplate& RulesDialog() {
  static const DialogTemplate t = InfoDialog(
      "Rules", "Official Rules of Tumbra", 352, 246, "Official Rules",
      {{C::Static, -1, 15, 18, 322, 16,
        "1. Six players, thirty cups and three ping-pong balls make a game."},
       {C::Static, -1, 15, 34, 322, 16,
        "2. Two teams of three take the two ends of a long table."},
       {C::Static, -1, 15, 50, 322, 16,
        "3. Each team sets fifteen cups in a triangle, one cup's width from its back edge."},
       {C::Static, -1, 15, 66, 322, 16,
        "4. The front cup is filled with a whole beer; four more beers are shared among the rest."},
       {C::Static, -1, 15, 82, 322, 16,
        "5. The team that won the last game shoots first."},
       {C::Static, -1, 15, 98, 322, 24,
        "6. Every player is matched with a player on the other side, and drinks each cup "
        "that player sinks against him."},
       {C::Static, -1, 15, 122, 322, 24,
        "7. A cup that is hit is taken off the table and drunk. When six cups are left, they "
        "are set up again as a small triangle."},
       {C::Static, -1, 15, 146, 322, 24,
        "8. A ball thrown over the table without touching a thing costs the thrower one of "
        "his own cups."},
       {C::Static, -1, 15, 170, 322, 24,
        "9. The first team to clear the other side's cups wins, and the losers drink whatever "
        "the winners have left standing."},
       {C::Static, -1, 15, 196, 322, 14,
        "More on the game at www.qervo.example"}});
  return t;
}

const DialogTemplate& AboutTumbraDialog() {
  static const DialogTemplate t = InfoDialog(
      "AboutTumbra", "About Tumbra", 265, 166, "About Tumbra",
      {{C::Static, -1, 15, 20, 235, 40,
        "Tumbra is the cup toss of a thousand student parties: a table, a ball, two "
        "triangles of cups and a steady hand that gets less steady as the night goes on."},
       {C::Static, -1, 15, 64, 235, 40,
        "Our development team has brought it to the PC, so you can practise your throw "
        "against the computer or take on a friend at one keyboard."},
       {C::Static, -1, 15, 110, 235, 14, "Qervo Software 2001"}});
  return t;
}

const DialogTemplate& AboutQervoDialog() {
  static const DialogTemplate t = InfoDialog(
      "AboutQervo", "About Qervo Software", 244, 146, "About Qervo Software",
      {{C::Static, -1, 15, 22, 214, 14, "Specializing in game development for the PC."},
       {C::Static, -1, 15, 42, 214, 14, "www.qervo.example"},
       {C::Static, -1, 15, 60, 214, 14, "games@qervo.example"},
       {C::Static, -1, 15, 86, 214, 14, "Qervo Software 2001"}});
  return t;
}

const DialogTemplate& OptionsDialog() {
  static const DialogTemplate t{
      "OptionsDialog",
      "Options",
      340,
      143,
      {{C::DefaultButton, IdOk, 205, 79, 50, 14, "OK"},
       {C::Button, IdCancel, 265, 79, 50, 14, "Cancel"},
       {C::GroupBox, -1, 7, 7, 183, 93, "Internet Settings"},
       {C::Label, -1, 15, 23, 38, 8, "Username:"},
       {C::Edit, IdUsername, 56, 21, 95, 12, ""},
       {C::Label, -1, 15, 40, 38, 8, "Password:"},
       {C::Edit, IdPassword, 56, 38, 95, 12, "", true},
       {C::Label, -1, 15, 83, 28, 8, "Server"},
       {C::Edit, IdServer, 46, 81, 135, 12, ""},
       {C::Static, -1, 199, 22, 127, 45,
        "Your user name and password on the Tumbra server below. A new user name is "
        "registered the first time it logs on."},
       {C::GroupBox, -1, 7, 102, 326, 34, "Music Directory"},
       {C::Label, -1, 15, 118, 62, 8, "Music Directory:"},
       {C::Edit, IdMusicFolder, 80, 116, 186, 13, ""},
       {C::Button, IdBrowse, 274, 116, 52, 14, "Browse"}}};
  return t;
}

const DialogTemplate& InternetGameDialog() {
  static const DialogTemplate t{
      "InternetGame",
      "Internet Game",
      220,
      98,
      {{C::Label, -1, 10, 12, 40, 8, "Opponent:"},
       {C::Edit, IdOpponent, 52, 10, 100, 12, ""},
       {C::Static, IdNetStatus, 10, 30, 200, 40,
        "Type a friend's user name (he must type yours), or leave it empty to play anyone."},
       {C::DefaultButton, IdOk, 105, 76, 50, 14, "Play"},
       {C::Button, IdCancel, 160, 76, 50, 14, "Cancel"}},
      true};
  return t;
}
