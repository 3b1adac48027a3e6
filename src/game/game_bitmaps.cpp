#include "game/game_bitmaps.h"

#include <utility>

#include "base/pictures.h"
#include "display/display.h"
#include "game/game_objects.h"

bool LoadPlaced(Sprite& sprite, PictureId id) {
  const PictureFile& p = Pictures[id];
  const bool loaded = sprite.Load(PicturePath(p.name).c_str(), p.width, p.height, DisplayDepth);
  sprite.SetPosition(p.x, p.y);
  sprite.SetColorKey(0, 0, 0);
  return loaded;
}

int LoadGameBitmaps() {
  if (!LoadPlaced(GameBackground, BackgroundPicture)) return 0;
  LoadPlaced(*BlueRack, BlueCupPicture);
  LoadPlaced(*RedRack, RedCupPicture);
  LoadPlaced(TheBall, BallPicture);
  LoadPlaced(Arrow, ArrowPicture);
  for (int frame = 0; frame < SplashFrameCount; ++frame)
    Splash.LoadFrame(frame, PicturePath(SplashFrameName(frame)).c_str(), SplashFrameWidth, SplashFrameHeight,
                     DisplayDepth);
  const std::pair<Sprite*, PictureId> after[] = {
      {&Panel, CupIconPicture},           {&OverBanner, OverBannerPicture},
      {&ReconfigureBanner, RerackBannerPicture}, {&HitBanner, HitBannerPicture},
      {&GameOverBanner, GameOverBannerPicture},  {&ReadyBanner, ReadyBannerPicture},
      {&CompTurnBanner, ComputerTurnBannerPicture}, {&NetTurnBanner, NetTurnBannerPicture},
  };
  for (const auto& [sprite, id] : after) LoadPlaced(*sprite, id);
  return 1;
}

void ReleaseGameImages() {
  GameBackground.ReleaseSurface();
  RedRack->ReleaseSurface();
  BlueRack->ReleaseSurface();
  Arrow.ReleaseSurface();
  TheBall.ReleaseSurface();
  Splash.ReleaseFrames();
  Panel.ReleaseSurface();
}
