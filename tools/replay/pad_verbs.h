#pragma once
#include <functional>
#include <sstream>
#include <string>

class HeadlessPlatform;

// The script's pads, after the word "pad":
//   P plug | P unplug           P is 1 or 2
//   P press B | P release B     B is a, start, left or right (the last two the d-pad)
//   P stick X                   the left stick's x, -32768 to 32767, 0 the centre
//   P throw ARROW METER         the driver's throw, with the pad's A as the button
// `throwWith` runs the driver's throw with the given button press, and `fail` reports
// the line with an exit code; both answer as the driver's verbs do: -1 to go on, else
// the driver's exit code.
using ThrowWith = std::function<int(const std::function<void()>& pressThrowButton)>;
int PadVerb(std::istringstream& words, HeadlessPlatform& platform, const ThrowWith& throwWith,
            const std::function<int(const std::string& why, int code)>& fail);
