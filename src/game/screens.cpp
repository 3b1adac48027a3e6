#include "game/screens.h"

#include "base/pictures.h"
#include "base/rand.h"
#include "base/settings.h"
#include "display/display.h"
#include "display/draw.h"
#include "game/computer_turn.h"
#include "game/game_bitmaps.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/human_turn.h"
#include "game/installed_turn.h"
#include "game/internet_match.h"
#include "game/local_turn.h"
#include "game/remote_turn.h"
#include "game/turn.h"
#include "game/versus_turn.h"
#include "platform/platform.h"

namespace {

struct TitleImage {
  Sprite* sprite;
  PictureId picture;
};

const TitleImage TitleImages[] = {
    {&TitlePicture, TitleScreenPicture},
    {&SinglePlayerImage, SinglePlayerButtonPicture},
    {&VersusImage, VersusButtonPicture},
    {&InternetImage, InternetButtonPicture},
};

// The click zones lie exactly over the button pictures as the player sees them.
Rect TitleButtonPlace(PictureId id) {
  const PictureFile& p = Pictures[id];
  return {p.x, p.y, p.width, p.height};
}

struct TitleLine {
  const char* text;
  int x, y;
  std::uint32_t colour;  // red in the low byte
};

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | g << 8 | b << 16);
}

const TitleLine TitleLines[] = {
    {"Visit us on the web at www.qervo.example", 50, 525, Rgb(255, 255, 255)},
    {"WARNING:", 20, 300, Rgb(255, 0, 0)},
    {"Qervo Software does not endorse underaged", 100, 300, Rgb(255, 250, 250)},
    {"drinking in any way.  In addition, if you are of legal drinking", 20, 313, Rgb(255, 250, 250)},
    {"age, we encourage you to always drink responsibly. We, at", 20, 326, Rgb(255, 250, 250)},
    {"Qervo Software, can by no means be held responsible", 20, 339, Rgb(255, 250, 250)},
    {"for any legal, mental, or medical problems caused by", 20, 352, Rgb(255, 250, 250)},
    {"reading, playing, or following any of the suggestions ", 20, 365, Rgb(255, 250, 250)},
    {"or ideas contained within this game.", 20, 378, Rgb(255, 250, 250)},
};

// Fresh start values for a turn: the meter low, the arrow near the middle.
void DealStartValues() {
  Meter.value = crt::rand() % 7;
  Arrow.offset = 193 + crt::rand() % 5;
}

void SetUpRacksAndControls() {
  BlueRack->SetPosition(360, 140);
  BlueRack->Reset();
  RedRack->SetPosition(360, 140);
  RedRack->Reset();
  Arrow.SetPosition(335, 80);
  Arrow.step = 8;
  PlayState = Ready;
  DealStartValues();
  Panel.SetPosition(500, 350);
}

void SetName(CupRack* rack, const char* name) { CopyField(rack->name, sizeof rack->name, name); }

int SetSinglePlayerNames() {
  SetName(RedRack, "Player");
  SetName(BlueRack, "Opponent");
  return 1;
}

int SetVersusNames() {
  SetName(RedRack, "Player 1");
  SetName(BlueRack, "Player 2");
  return 1;
}

}  // namespace

int ShowTitleScreen() {
  GameMode = TitleMode;
  FrameHandler = TitleFrame;
  for (const TitleImage& image : TitleImages) LoadPlaced(*image.sprite, image.picture);
  MainWindow->CreateTitleButton(SinglePlayerButton, TitleButtonPlace(SinglePlayerButtonPicture));
  MainWindow->CreateTitleButton(VersusButton, TitleButtonPlace(VersusButtonPicture));
  MainWindow->CreateTitleButton(InternetButton, TitleButtonPlace(InternetButtonPicture));
  return 1;
}

int TitleFrame() {
  std::uint32_t t0 = MainWindow->TickCount();
  ClearBackBuffer();
  for (const TitleImage& image : TitleImages) image.sprite->Draw(BackBuffer);
  for (const TitleLine& line : TitleLines) DrawString(line.text, line.x, line.y, line.colour, BackBuffer);
  PresentBackBuffer();
  WaitForFrameEnd(t0, FrameMs);
  return 1;
}

int ReleaseTitleImages() {
  SinglePlayerImage.ReleaseSurface();
  InternetImage.ReleaseSurface();
  VersusImage.ReleaseSurface();
  TitlePicture.ReleaseSurface();
  return 1;
}

int NewSinglePlayerGame() {
  GameMode = SinglePlayerMode;
  InstallTurn(HumanTurn);
  PlayerRack = RedRack;
  OpponentRack = BlueRack;
  CurrentRack = PlayerRack;
  OtherRack = OpponentRack;
  SetUpRacksAndControls();
  PlayerRack->gauge.level = 0;
  OpponentRack->gauge.level = 0;
  SetSinglePlayerNames();
  return 1;
}

int NewVersusGame() {
  GameMode = VersusMode;
  InstallTurn(VersusTurn);
  CurrentRack = RedRack;
  OtherRack = BlueRack;
  SetUpRacksAndControls();
  CurrentRack->gauge.level = 0;
  OtherRack->gauge.level = 0;
  SetVersusNames();
  return 1;
}

int NewInternetGame() {
  GameMode = InternetMode;
  PlayerRack = Match.localFirst ? RedRack : BlueRack;
  OpponentRack = Match.localFirst ? BlueRack : RedRack;
  CurrentRack = RedRack;
  OtherRack = BlueRack;
  InstallTurn(Match.localFirst ? LocalTurn : RemoteTurn);
  SetUpRacksAndControls();
  RedRack->gauge.level = 0;
  BlueRack->gauge.level = 0;
  SetName(PlayerRack, Match.local.c_str());
  SetName(OpponentRack, Match.opponent.c_str());
  Match.throws = 0;
  Match.arrived.clear();
  Match.winner.clear();
  Match.outOfStep = Match.lost = Match.opponentAway = false;
  return 1;
}

void HandOverSingle() {
  PlayState = TurnStart;
  DealStartValues();
  if (CurrentRack == PlayerRack) {
    CurrentRack = OpponentRack;
    OtherRack = PlayerRack;
    InstallTurn(ComputerTurn);
  } else {
    CurrentRack = PlayerRack;
    OtherRack = OpponentRack;
    InstallTurn(HumanTurn);
  }
}

void HandOverVersus() {
  PlayState = TurnStart;
  DealStartValues();
  if (CurrentRack == RedRack) {
    CurrentRack = BlueRack;
    OtherRack = RedRack;
  } else {
    CurrentRack = RedRack;
    OtherRack = BlueRack;
  }
}

void HandOverInternet() {
  HandOverVersus();
  InstallTurn(CurrentRack == PlayerRack ? LocalTurn : RemoteTurn);
}
