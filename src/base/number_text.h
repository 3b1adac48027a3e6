#pragma once

// A whole decimal number and nothing else (no sign of its own beyond '-', no spaces, no
// trailing text) within low..high, as command-line options take one. False leaves out as
// it was.
bool ParseNumber(const char* text, int low, int high, int& out);
