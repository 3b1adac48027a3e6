#include "base/paths.h"

std::string NativePath(const char* gamePath) {
  std::string path = gamePath ? gamePath : "";
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}
