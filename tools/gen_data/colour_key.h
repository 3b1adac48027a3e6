#pragma once
#include <QImage>

// Turns a drawing with an alpha channel into a picture for the game's keyed blits.
// Pure black is the game's transparent colour, and on a 16-bit display every colour
// whose three components are all below 8 packs to black too. So: a pixel less than half
// covered becomes pure black; every other pixel keeps the colour of what was drawn
// there, unblended with the empty background (a soft edge fading to black would draw a
// dark halo on the table), and is lifted just clear of black if it is that dark.
QImage ApplyColourKey(const QImage& drawing);
