#pragma once
#include <string>

// The driver's output: one line per event, in the order things happen. The music thread
// reports too, so every line is written whole under a lock.
void TraceLine(const std::string& line);
// A JSON string literal, quotes included.
std::string JsonString(const std::string& text);
// Reports message boxes, questions, dialogs and the texts they show, sound effects, and
// music starts and stops as lines.
void InstallTrace();
