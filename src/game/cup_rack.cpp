#include "game/cup_rack.h"

#include "base/throw_geometry.h"
#include "display/display.h"
#include "display/draw.h"
#include "display/surface.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/power_meter.h"
#include "platform/platform.h"

namespace {

// A ball that touches no cup and comes down above this line has flown beyond the rack.
constexpr int FarEdgeOfRack = 160;

// The six cups of the re-rack: 13, 12, 11 at the back, 8 and 7, and 4 as the new front.
constexpr int RerackCups[] = {4, 7, 8, 11, 12, 13};
constexpr int RerackFront = 4;

constexpr std::uint32_t RerackPauseMs = 1500;

}  // namespace

void DrinkGauge::AddDrink(int amount) {
  level += amount;
  if (level >= MaxLevel) level = MaxLevel;
}

bool DrinkGauge::Draw(SDL_Surface* surface) const {
  for (int i = 0; i < level; ++i)
    FillRect(surface, x, y - i - 1, x + width, y - i, RampPixel(250 - i, 255, 100));
  return true;
}

CupRack::CupRack() { Reset(); }

bool CupRack::SetPosition(int atX, int atY) {
  x = atX;
  y = atY;
  // Each row starts a little right of and below the one behind it, and runs slightly
  // downhill: the table is seen at a slant.
  for (int r = 0; r < TriangleRows; ++r) {
    for (int c = 0; c < TriangleRows - r; ++c) {
      Cup& cup = cups[TriangleIndex(r, c)];
      cup.x = atX + c * (width - 10) + (r * (width - 10)) / 7;
      cup.y = atY + 18 * r + (c * height) / 15;
    }
  }
  return true;
}

bool CupRack::Draw(SDL_Surface* surface) {
  gauge.Draw(surface);
  for (int i = CupCount - 1; i >= 0; --i)
    if (cups[i].present) DrawCup(i);
  return true;
}

bool CupRack::DrawCup(int i) {
  if (DrawAt(BackBuffer, cups[i].x, cups[i].y)) return true;
  MainWindow->MessageBox("DrawCup Failed!", "Tumbra: FAIL");
  return false;
}

void CupRack::Reset() {
  for (Cup& cup : cups) {
    cup.present = 1;
    cup.beer = 5;
  }
  cups[0].beer = FullBeer;
  cupsHit = 0;
}

int CupRack::CupZone(int px, int py, const Cup& cup) {
  if (!cup.present) return OutsideCup;
  if (cup.x + 10 < px && px < cup.x + 50 && cup.y + 1 < py && py < cup.y + 16) return InCup;
  if (cup.x - 5 < px && px < cup.x + 70 && cup.y < py && py < cup.y + 18) return OnRim;
  return OutsideCup;
}

int CupRack::HitTest(int power, int aim) const {
  const int px = LandingX(aim);
  const int py = LandingY(power);
  // Lower indices stand nearer the thrower, so where zones overlap the nearer cup's rim
  // hides the mouth of the cup behind it.
  for (int i = 0; i < CupCount; ++i) {
    switch (CupZone(px, py, cups[i])) {
      case InCup: return i;
      case OnRim: return RimHit;
      default: break;
    }
  }
  return py >= FarEdgeOfRack ? Miss : Over;
}

int CupRack::RemoveCup(int i) {
  cups[i].present = 0;
  cupsHit += 1;
  if (cupsHit == RerackAfter) Reconfigure();
  return cups[i].beer;
}

void CupRack::Reconfigure() {
  const bool frontStanding = cups[0].present;
  for (Cup& cup : cups) cup.present = 0;
  for (int i : RerackCups) cups[i].present = 1;
  if (frontStanding) cups[RerackFront].beer = FullBeer;

  ClearBackBuffer();
  GameBackground.Draw(BackBuffer);
  Arrow.Draw(BackBuffer);
  Meter.Draw(BackBuffer);
  if (CurrentRack) Panel.DrawPanel(BackBuffer, *CurrentRack);
  Draw(BackBuffer);
  ReconfigureBanner.Draw(BackBuffer);
  PresentBackBuffer();
  MainWindow->Sleep(RerackPauseMs);
  ReconfigurePending = 1;
}

bool CupRack::TakePenaltyCup() {
  if (cupsHit >= CupCount - 1) return false;
  for (int i = 1; i < CupCount; ++i) {
    if (cups[i].present && cups[i].beer < FullBeer) {
      RemoveCup(i);
      return true;
    }
  }
  for (int i : {0, RerackFront}) {
    if (cups[i].present) {
      RemoveCup(i);
      return true;
    }
  }
  return false;
}
