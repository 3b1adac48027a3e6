#pragma once
#include <istream>
#include <string>

class HeadlessPlatform;

// Exit codes of the driver besides the program's own.
constexpr int ScriptError = 2;    // a line it does not understand
constexpr int StateNotReached = 3;  // `until` ran out of passes
constexpr int NetTimeout = 4;       // `net` waited its time and nothing came

// Runs the script against the started program and returns the driver's exit code.
int RunScript(std::istream& script, HeadlessPlatform& platform);

// A whole number with nothing after it.
bool ParseInt(const std::string& word, long long& value);
