#pragma once

// Where the arrow and the meter must stand for a throw to drop into a cup: the middle
// of the cup's mouth, as every new game racks the cups with the anchor at (360, 140).
struct CupAim {
  int arrow;  // the arrow's offset
  int meter;  // the meter's value
};

CupAim AimAtCup(int index);
