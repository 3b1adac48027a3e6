#include "game/game_bitmaps.h"

#include <string>

#include "display/display.h"
#include "game/game_objects.h"

namespace {

struct Picture {
  Sprite* sprite;
  const char* file;
  int width, height;
  int x, y;
};

void LoadPlaced(const Picture& p) {
  p.sprite->Load(p.file, p.width, p.height, DisplayDepth);
  p.sprite->SetPosition(p.x, p.y);
  p.sprite->SetColorKey(0, 0, 0);
}

}  // namespace

int LoadGameBitmaps() {
  if (!GameBackground.Load("bmps\\gamebg.bmp", 760, 560, DisplayDepth)) return 0;
  GameBackground.SetPosition(0, 0);
  GameBackground.SetColorKey(0, 0, 0);

  const Picture before[] = {
      {BlueRack, "bmps\\blue_cup.bmp", 80, 100, 0, 0},
      {RedRack, "bmps\\red_cup.bmp", 80, 100, 0, 0},
      {&TheBall, "bmps\\ball.bmp", 40, 40, 0, 0},
      {&Arrow, "bmps\\arrow.bmp", 40, 40, 0, 0},
  };
  for (const Picture& p : before) LoadPlaced(p);

  for (int frame = 0; frame < 15; ++frame) {
    std::string file = "bmps\\splash" + std::to_string(frame + 1) + ".bmp";
    Splash.LoadFrame(frame, file.c_str(), 100, 60, DisplayDepth);
  }

  const Picture after[] = {
      {&Panel, "bmps\\viewcup.bmp", 40, 40, 0, 0},
      {&OverBanner, "bmps\\over.bmp", 160, 60, 320, 280},
      {&ReconfigureBanner, "bmps\\reconfigure.bmp", 220, 60, 320, 280},
      {&HitBanner, "bmps\\hit.bmp", 140, 60, 320, 280},
      {&GameOverBanner, "bmps\\gameover.bmp", 200, 100, 320, 280},
      {&ReadyBanner, "bmps\\ready.bmp", 200, 80, 280, 280},
      {&CompTurnBanner, "bmps\\compturn.bmp", 200, 80, 280, 280},
  };
  for (const Picture& p : after) LoadPlaced(p);
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
