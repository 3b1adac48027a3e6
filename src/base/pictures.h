#pragma once
#include <string>

// Every picture the game loads from bmps/: its file name, the size the game asks for and
// where the game puts it (its top-left corner; the cups, the ball, the arrow and the
// panel's icon are placed by their owners, not here).
struct PictureFile {
  const char* name;
  int width, height;
  int x, y;
};

enum PictureId : int {
  BackgroundPicture,
  BlueCupPicture,
  RedCupPicture,
  BallPicture,
  ArrowPicture,
  CupIconPicture,
  OverBannerPicture,
  RerackBannerPicture,
  HitBannerPicture,
  GameOverBannerPicture,
  ReadyBannerPicture,
  ComputerTurnBannerPicture,
  NetTurnBannerPicture,
  TitleScreenPicture,
  SinglePlayerButtonPicture,
  VersusButtonPicture,
  InternetButtonPicture,
  PictureCount
};

inline constexpr PictureFile Pictures[PictureCount] = {
    {"gamebg.bmp", 760, 560, 0, 0},       {"blue_cup.bmp", 80, 100, 0, 0},
    {"red_cup.bmp", 80, 100, 0, 0},       {"ball.bmp", 40, 40, 0, 0},
    {"arrow.bmp", 40, 40, 0, 0},          {"viewcup.bmp", 40, 40, 0, 0},
    {"over.bmp", 160, 60, 320, 280},      {"reconfigure.bmp", 220, 60, 320, 280},
    {"hit.bmp", 140, 60, 320, 280},       {"gameover.bmp", 200, 100, 320, 280},
    {"ready.bmp", 200, 80, 280, 280},     {"compturn.bmp", 200, 80, 280, 280},
    {"netturn.bmp", 200, 80, 280, 280},
    {"splash.bmp", 760, 560, 0, 0},       {"play.bmp", 160, 60, 500, 100},
    {"playvs.bmp", 160, 60, 500, 200},    {"playnet.bmp", 180, 60, 515, 300},
};

// The splash of a hit: frames splash1.bmp to splash15.bmp, each of this size, drawn over
// the cup.
inline constexpr int SplashFrameCount = 15;
inline constexpr int SplashFrameWidth = 100;
inline constexpr int SplashFrameHeight = 60;
inline std::string SplashFrameName(int frame) { return "splash" + std::to_string(frame + 1) + ".bmp"; }

// The path the game opens a picture by ("bmps\gamebg.bmp").
inline std::string PicturePath(const std::string& name) { return "bmps\\" + name; }
