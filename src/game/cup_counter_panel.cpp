#include "game/cup_counter_panel.h"

#include <cstdio>

#include "display/display.h"
#include "display/draw.h"
#include "platform/platform.h"

namespace {
constexpr int TextX = 510;
constexpr int TextY = 325;
constexpr std::uint32_t PureRed = 255;
// Rows of icons are a fixed 36 pixels apart, whatever the icon's height.
constexpr int RowStep = 36;
}  // namespace

bool CupCounterPanel::SetPosition(int atX, int atY) {
  x = atX;
  y = atY;
  // Icons overlap by four pixels, and each row is shifted half an icon to the right.
  const int spacing = width - 4;
  for (int r = 0; r < TriangleRows; ++r)
    for (int c = 0; c < TriangleRows - r; ++c)
      iconPos[TriangleIndex(r, c)] =
          Place{atX + c * spacing + (r * spacing) / 2, atY + RowStep * r};
  return true;
}

void CupCounterPanel::DrawPanel(SDL_Surface* target, const CupRack& rack) {
  char text[64];
  // The name field holds at most 19 characters; never read past it.
  std::snprintf(text, sizeof text, "%.19s   Cups hit: %d", rack.name, rack.CupsHit());
  DrawString(text, TextX, TextY, PureRed, BackBuffer);
  for (int i = 0; i < CupCount; ++i)
    if (rack.cups[i].present) DrawCupIcon(target, i);
}

bool CupCounterPanel::DrawCupIcon(SDL_Surface* target, int i) {
  if (DrawAt(target, iconPos[i].x, iconPos[i].y)) return true;
  MainWindow->MessageBox("DrawCup Failed!", "Tumbra: FAIL");
  return false;
}
