#pragma once
#include "display/sprite.h"
#include "game/cup_rack.h"

// The panel at the lower right of the game screen: the name of the rack in play, how
// many of its cups are gone, and a small cup icon for every cup still standing, laid
// out as a triangle like the rack.
class CupCounterPanel : public Sprite {
 public:
  struct Place {
    int x = 0;
    int y = 0;
  };

  // Stores the anchor and lays out the icons from it, by the size of the icon picture.
  bool SetPosition(int x, int y) override;
  // The text always goes onto the back buffer; the icons onto the target.
  virtual void DrawPanel(SDL_Surface* target, const CupRack& rack);

  Place iconPos[CupCount];

 private:
  // Icon i at its place; "DrawCup Failed!" when the copy fails.
  bool DrawCupIcon(SDL_Surface* target, int i);
};
