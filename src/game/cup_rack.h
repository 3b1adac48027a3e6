#pragma once
#include "display/sprite.h"

// One cup of a rack, where its picture's top-left corner stands on the screen.
struct Cup {
  int x = 0;
  int y = 0;
  int beer = 5;  // gauge units: 15 for the front cup (a full beer), 5 for the others
  unsigned char present = 1;
};

// How much a player has drunk: a bar growing upward from y, at a fixed place on the
// screen whichever rack is shown.
struct DrinkGauge {
  int x = 215;
  int y = 197;  // the bar's bottom edge
  int width = 20;
  int level = 0;  // 0 to MaxLevel

  static constexpr int MaxLevel = 100;

  void AddDrink(int amount);
  bool Draw(SDL_Surface* surface) const;
};

constexpr int CupCount = 15;

// The cups stand in a triangle of five rows seen from the thrower's end: row r (0 at the
// back) holds 5 - r cups in columns 0 to 4 - r. They are numbered from the front: 0 is
// the front cup, 14 the back-left corner, and each row counts down from left to right.
// The cup-count panel lays out its icons the same way.
constexpr int TriangleRows = 5;
constexpr int TriangleIndex(int row, int column) {
  return CupCount - 1 - (5 * row - row * (row - 1) / 2) - column;
}

// Where a throw lands, judged against the standing cups.
enum CupZones : int { OutsideCup = 0, OnRim = 1, InCup = 2 };

// One player's side of play: the 15 cups he throws at, how many are gone, his name and
// his drinking gauge. The picture is a single cup, drawn at every standing cup's place.
class CupRack : public Sprite {
 public:
  CupRack();

  // Stores the anchor and lays the cups out from it, by the size of the cup picture.
  bool SetPosition(int x, int y) override;
  // The gauge, then the standing cups from the back row to the front cup so that nearer
  // cups cover farther ones. The cups always go onto the back buffer. Always true.
  bool Draw(SDL_Surface* surface) override;
  // Cup i onto the back buffer; "DrawCup Failed!" when the copy fails.
  bool DrawCup(int i);

  // Every cup back, the full one at the front; the gauge, the places and the name stay.
  void Reset();
  // The judgement of a throw: the index of the cup the ball drops into, or RimHit, Miss
  // or Over (the ball flew beyond the rack).
  int HitTest(int power, int aim) const;
  static int CupZone(int px, int py, const Cup& cup);
  // Takes cup i away and returns the drink it held, read after the re-rack that the
  // ninth removal brings.
  int RemoveCup(int i);
  // Nine cups down: the last six stand again as a small triangle in the middle, shown
  // on a banner for a second and a half.
  void Reconfigure();
  // A ball over the table costs the thrower one of his own cups, the full one last and
  // never the last cup. True when a cup was taken.
  bool TakePenaltyCup();

  int CupsHit() const { return cupsHit; }
  bool AllCupsHit() const { return cupsHit == CupCount; }
  Cup GetCup(int i) const { return cups[i]; }

  static constexpr int FullBeer = 15;
  static constexpr int RerackAfter = 9;

  Cup cups[CupCount];
  int cupsHit = 0;
  DrinkGauge gauge;
  char name[20] = {};
};
