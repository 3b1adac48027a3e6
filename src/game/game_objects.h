#pragma once
#include "display/sprite.h"
#include "game/aim_arrow.h"
#include "game/ball.h"
#include "game/cup_counter_panel.h"
#include "game/cup_rack.h"
#include "game/power_meter.h"
#include "game/splash_animation.h"

// The objects of the game, built before the program starts and kept for the whole run.

// The title screen and its three buttons.
extern Sprite TitlePicture, SinglePlayerImage, VersusImage, InternetImage;
extern Sprite GameBackground;
// Red is the first player's, blue the second's (the computer in a single-player game).
extern CupRack* BlueRack;
extern CupRack* RedRack;
extern AimArrow Arrow;
extern Ball TheBall;
extern SplashAnimation Splash;
extern CupCounterPanel Panel;
extern Sprite OverBanner, ReconfigureBanner, HitBanner, GameOverBanner, ReadyBanner, CompTurnBanner, NetTurnBanner;
extern PowerMeter Meter;

// Who is who in the running game: the thrower's rack, the one drawn and thrown at, and
// the other; in a single-player game also the human's and the computer's.
extern CupRack* CurrentRack;
extern CupRack* OtherRack;
extern CupRack* PlayerRack;
extern CupRack* OpponentRack;

// Set by a re-rack; the next turn waits a little before it begins, and clears it.
extern unsigned char ReconfigurePending;
