#include "picture_table.h"

#include "base/pictures.h"
#include "pictures.h"

std::vector<Picture> GamePictures() {
  // How each picture of the game's table is drawn, in the table's order.
  const std::function<QImage()> draw[PictureCount] = {
      DrawGameBackground, DrawBlueCup,         DrawRedCup,         DrawBall,
      DrawArrow,          DrawViewCup,         DrawOverBanner,     DrawReRackBanner,
      DrawHitBanner,      DrawGameOverBanner,  DrawReadyBanner,    DrawComputerTurnBanner,
      DrawNetTurnBanner,
      DrawTitlePicture,   DrawSinglePlayerButton, DrawVersusButton, DrawInternetButton,
  };
  std::vector<Picture> pictures;
  for (int id = 0; id < PictureCount; ++id)
    pictures.push_back({Pictures[id].name, Pictures[id].width, Pictures[id].height, draw[id]});
  for (int frame = 0; frame < SplashFrameCount; ++frame)
    pictures.push_back({SplashFrameName(frame), SplashFrameWidth, SplashFrameHeight,
                        [frame] { return DrawSplashFrame(frame); }});
  return pictures;
}
