#include "picture_table.h"

#include "pictures.h"

std::vector<Picture> GamePictures() {
  std::vector<Picture> pictures = {
      {"gamebg.bmp", 760, 560, DrawGameBackground},
      {"blue_cup.bmp", 80, 100, DrawBlueCup},
      {"red_cup.bmp", 80, 100, DrawRedCup},
      {"ball.bmp", 40, 40, DrawBall},
      {"arrow.bmp", 40, 40, DrawArrow},
  };
  for (int frame = 0; frame < 15; ++frame)
    pictures.push_back({"splash" + std::to_string(frame + 1) + ".bmp", 100, 60,
                        [frame] { return DrawSplashFrame(frame); }});
  const std::vector<Picture> rest = {
      {"viewcup.bmp", 40, 40, DrawViewCup},
      {"over.bmp", 160, 60, DrawOverBanner},
      {"reconfigure.bmp", 220, 60, DrawReRackBanner},
      {"hit.bmp", 140, 60, DrawHitBanner},
      {"gameover.bmp", 200, 100, DrawGameOverBanner},
      {"ready.bmp", 200, 80, DrawReadyBanner},
      {"compturn.bmp", 200, 80, DrawComputerTurnBanner},
      {"splash.bmp", 760, 560, DrawTitlePicture},
      {"play.bmp", 160, 60, DrawSinglePlayerButton},
      {"playvs.bmp", 160, 60, DrawVersusButton},
      {"playnet.bmp", 180, 60, DrawInternetButton},
  };
  pictures.insert(pictures.end(), rest.begin(), rest.end());
  return pictures;
}
