#pragma once
#include <string>
#include <vector>

namespace load {

// What went wrong in a run: every fault is counted, the first few are kept to be shown.
struct Faults {
  int count = 0;
  std::vector<std::string> first;

  void Add(const std::string& what) {
    if (++count <= 5) first.push_back(what);
  }
};

}  // namespace load
