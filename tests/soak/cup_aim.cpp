#include "cup_aim.h"

namespace {

// Row and column of each cup in the triangle: row 0 is the back row, and the indices
// run from 14 at its left down to 0, the front cup.
struct Place {
  int row, column;
};
constexpr Place Places[15] = {{4, 0}, {3, 1}, {3, 0}, {2, 2}, {2, 1}, {2, 0}, {1, 3}, {1, 2},
                              {1, 1}, {1, 0}, {0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}};

}  // namespace

CupAim AimAtCup(int index) {
  const Place p = Places[index];
  const int x = 360 + 70 * p.column + 10 * p.row;
  const int y = 140 + 18 * p.row + 100 * p.column / 15;
  // The mouth is x + 10 < px < x + 50 and y + 1 < py < y + 16. Its middle, (x + 30, y + 8),
  // lies on no rim of a cup with a lower index, which would win: those stand in the rows
  // in front, at least 18 lower, or beside it in its own row, 70 to the side, and a rim
  // reaches 18 down and from 5 left to 70 right of its cup's corner. The ball lands at
  // (arrow + 335, 270 - meter).
  return {x + 30 - 335, 270 - (y + 8)};
}
