#pragma once
#include <string>

// The game names its files the way they were first written down, with backslashes
// ("bmps\gamebg.bmp"). Files are opened relative to the current directory with this
// platform's separator.
std::string NativePath(const char* gamePath);
