#include "game/game_objects.h"

// Defined in this order on purpose: it is the order they are built in.
Sprite TitlePicture, SinglePlayerImage, VersusImage, InternetImage;
Sprite GameBackground;
// The racks live on the heap and are never destroyed.
CupRack* BlueRack = new CupRack;
CupRack* RedRack = new CupRack;
AimArrow Arrow;
Ball TheBall;
SplashAnimation Splash;
CupCounterPanel Panel;
Sprite OverBanner, ReconfigureBanner, HitBanner, GameOverBanner, ReadyBanner, CompTurnBanner, NetTurnBanner;
PowerMeter Meter;

CupRack* CurrentRack = nullptr;
CupRack* OtherRack = nullptr;
CupRack* PlayerRack = nullptr;
CupRack* OpponentRack = nullptr;

unsigned char ReconfigurePending = 0;
