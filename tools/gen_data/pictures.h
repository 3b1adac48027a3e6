#pragma once
#include <QImage>

// The drawings of the game's pictures, each at the size the game loads it at.
QImage DrawRedCup();
QImage DrawBlueCup();
QImage DrawViewCup();
QImage DrawBall();
QImage DrawArrow();
QImage DrawSplashFrame(int frame);  // 0 to 14
QImage DrawOverBanner();
QImage DrawReRackBanner();
QImage DrawHitBanner();
QImage DrawGameOverBanner();
QImage DrawReadyBanner();
QImage DrawComputerTurnBanner();
QImage DrawNetTurnBanner();
QImage DrawSinglePlayerButton();
QImage DrawVersusButton();
QImage DrawInternetButton();
QImage DrawGameBackground();
QImage DrawTitlePicture();
