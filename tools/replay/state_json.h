#pragma once
#include <string>

// The game's state as one JSON object, for the `state` line.
std::string StateJson(unsigned ticks);
