#include "app/command_line.h"

#include <cstdio>
#include <cstring>

bool AnswerInfoOption(int argc, char** argv, const char* program, const char* usage) {
  if (argc < 2) return false;
  if (std::strcmp(argv[1], "--version") == 0)
    std::printf("%s %s\n", program, TUMBRA_VERSION);
  else if (std::strcmp(argv[1], "--help") == 0)
    std::printf("usage: %s %s\n", program, usage);
  else
    return false;
  return true;
}
