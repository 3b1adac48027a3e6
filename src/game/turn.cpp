#include "game/turn.h"

#include "audio/sound_effects.h"
#include "display/display.h"
#include "display/draw.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "platform/platform.h"

#include <cstdio>

namespace {

void DrawBackground() {
  ClearBackBuffer();
  GameBackground.Draw(BackBuffer);
}

void DrawPanelAndRack() {
  Panel.DrawPanel(BackBuffer, *CurrentRack);
  CurrentRack->Draw(BackBuffer);
}

// Meter and arrow, panel and rack: the scene under a ball in flight or coming down.
void DrawThrowScene() {
  DrawBackground();
  Meter.Draw(BackBuffer);
  Arrow.Draw(BackBuffer);
  DrawPanelAndRack();
}

bool IsCupIndex(int result) { return result >= 0 && result <= 14; }

void TurnStartState(TurnProgress& progress) {
  if (!ReconfigurePending) {
    PlayState = Ready;
    return;
  }
  int waited = progress.wait++;
  if (waited >= 10) {
    // Counted afresh for the next re-rack even when Enter, already waiting in the queue,
    // skips the Ready frame that would also clear it.
    progress.wait = 0;
    ReconfigurePending = 0;
    PlayState = Ready;
  }
}

void ReadyState(TurnRecord& turn) {
  turn.progress.wait = 0;
  DrawBackground();
  Arrow.Draw(BackBuffer);
  DrawPanelAndRack();
  turn.readyBanner->Draw(BackBuffer);
  if (turn.ready) turn.ready();
  PresentBackBuffer();
}

// The game holds its breath: the scene as it stands, nothing moving, and why.
void StillState(const char* why) {
  DrawBackground();
  Arrow.Draw(BackBuffer);
  Meter.Draw(BackBuffer);
  DrawPanelAndRack();
  if (PlayState == Flight) TheBall.Draw(BackBuffer);
  DrawNotice(why);
  PresentBackBuffer();
}

}  // namespace

void DrawAimingScene() {
  DrawBackground();
  Arrow.Draw(BackBuffer);
  Meter.Draw(BackBuffer);
  DrawPanelAndRack();
  PresentBackBuffer();
}

void KeyboardAimingState() {
  // Left wins when both keys are held.
  if (MainWindow->AsyncKeyState(ArrowKey::Left))
    Arrow.MoveLeft();
  else if (MainWindow->AsyncKeyState(ArrowKey::Right))
    Arrow.MoveRight();
  Meter.Advance();
  DrawAimingScene();
}

void LaunchState(int power, int aim) {
  Wobble(CurrentRack->gauge.level, power, aim);
  PlayState = Flight;
  TheBall.Throw(power, aim);
}

void LaunchFromControls() { LaunchState(Meter.value, Arrow.offset); }

namespace {

void FlightState() {
  if (!TheBall.Step()) PlayState = Landing;
  DrawThrowScene();
  TheBall.Draw(BackBuffer);
  PresentBackBuffer();
}

void LandingState(TurnProgress& progress, int (*rimBounce)()) {
  progress.overFrames = 0;
  progress.outcomeFrames = 0;
  progress.throwResult = CurrentRack->HitTest(Meter.value, Arrow.offset);
  PlayState = Outcome;
  TheBall.targetX = 760;
  TheBall.targetY = 0;
  if (IsCupIndex(progress.throwResult)) {
    PlayEffect(CupHitSound);
  } else if (progress.throwResult == RimHit) {
    TheBall.RimBounce(rimBounce ? rimBounce() : RandomRimBounce());
    PlayEffect(RimHitSound);
  }
}

void OutcomeState(TurnProgress& progress, void (*handOver)()) {
  DrawThrowScene();
  const int result = progress.throwResult;
  if (result == RimHit) {
    TheBall.Step();
    TheBall.Draw(BackBuffer);
    if (++progress.outcomeFrames > 30) handOver();
  } else if (result == Miss) {
    handOver();
  } else if (result == Over) {
    // The ball drops on behind the rack: drawn, then covered by the cups.
    if (progress.outcomeFrames < 5) TheBall.Step();
    TheBall.Draw(BackBuffer);
    CurrentRack->Draw(BackBuffer);
    OverBanner.Draw(BackBuffer);
    ++progress.outcomeFrames;
    if (progress.overFrames > 35) {
      // Over the table: the thrower drinks one of his own cups.
      if (OtherRack->TakePenaltyCup()) CurrentRack->gauge.AddDrink(5);
      handOver();
    }
    ++progress.overFrames;
  } else if (IsCupIndex(result)) {
    if (Splash.PlayStep(BackBuffer, CurrentRack->GetCup(result))) {
      HitBanner.Draw(BackBuffer);
    } else {
      // The side whose cup it was drinks what it held.
      int drink = CurrentRack->RemoveCup(result);
      OtherRack->gauge.AddDrink(drink);
      handOver();
    }
  }
}

void GameOverState(const char* line) {
  DrawBackground();
  Arrow.Draw(BackBuffer);
  CurrentRack->Draw(BackBuffer);
  GameOverBanner.Draw(BackBuffer);
  DrawString(line, 345, 400, 0xFFFFFF, BackBuffer);
  PresentBackBuffer();
}

}  // namespace

int RunTurnFrame(TurnRecord& turn) {
  std::uint32_t t0 = MainWindow->TickCount();
  if (const char* why = turn.heldBy ? turn.heldBy() : nullptr) {
    StillState(why);
    WaitForFrameEnd(t0, FrameMs);
    return 1;
  }
  switch (PlayState) {
    case TurnStart: TurnStartState(turn.progress); break;
    case Ready: ReadyState(turn); break;
    case AimStart:
      if (turn.aimStart) turn.aimStart();
      PlayState = Aiming;
      [[fallthrough]];
    case Aiming: turn.aiming(); break;
    case Launch: turn.launch(); [[fallthrough]];
    case Flight: FlightState(); break;
    case Landing: LandingState(turn.progress, turn.rimBounce); [[fallthrough]];
    case Outcome:
      OutcomeState(turn.progress, turn.handOver);
      turn.winCheck();
      PresentBackBuffer();
      break;
    case GameOver: GameOverState(turn.endLine()); break;
    default: break;
  }
  WaitForFrameEnd(t0, FrameMs);
  return 1;
}

void DrawNotice(const char* text) { DrawString(text, 280, 370, 0xFFFFFF, BackBuffer); }

CupRack* EndGameOnEmptyRack() {
  CupRack* emptied = CurrentRack->AllCupsHit() ? CurrentRack
                     : OtherRack->AllCupsHit() ? OtherRack
                                               : nullptr;
  if (emptied) {
    CurrentRack = emptied;
    PlayState = GameOver;
  }
  return emptied;
}

void SinglePlayerWinCheck() { EndGameOnEmptyRack(); }

const char* SinglePlayerEndLine() {
  static char line[EndMessageSize];
  if (PlayerRack->AllCupsHit())
    std::snprintf(line, sizeof line, "You are victorious!  %s wins!", PlayerRack->name);
  else if (OpponentRack->AllCupsHit())
    std::snprintf(line, sizeof line, "You lose... %s wins.", OpponentRack->name);
  return line;
}
