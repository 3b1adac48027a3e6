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

// The title screen's three click zones, by the command each sends.
enum TitleButtonId : int { SinglePlayerButton = 1, VersusButton = 2, InternetButton = 3 };
constexpr int TitleButtonIds[] = {SinglePlayerButton, VersusButton, InternetButton};
