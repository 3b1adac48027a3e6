#pragma once

// --version and --help, answered on standard output in a line each before any window or
// display is opened: a packager's script asks on a machine without a screen. True when
// the first argument was one of them; the program then ends with status 0.
bool AnswerInfoOption(int argc, char** argv, const char* program, const char* usage);
