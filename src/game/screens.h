#pragma once

// The title screen and the set-up of new games and turns.
int ShowTitleScreen();
int TitleFrame();
int ReleaseTitleImages();
int NewSinglePlayerGame();
int NewVersusGame();
// The end of every throw: the other side's turn starts, with fresh start values for
// the meter and the arrow.
void HandOverSingle();
void HandOverVersus();
// An Internet game between the two players of Match: the racks carry their names, the
// first thrower's on the red, and the first throw is his. The hand-over gives the turn to
// the other player, the local or the remote one.
int NewInternetGame();
void HandOverInternet();

// The title screen's three click zones, by the command each sends.
enum TitleButtonId : int { SinglePlayerButton = 1, VersusButton = 2, InternetButton = 3 };
constexpr int TitleButtonIds[] = {SinglePlayerButton, VersusButton, InternetButton};
