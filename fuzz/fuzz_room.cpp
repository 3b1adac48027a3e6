#include "fuzz_room.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/paths.h"

FuzzRoom::FuzzRoom() {
  // The file under test is rewritten for every input: a memory-backed temporary folder
  // (TMPDIR=/dev/shm, as fuzz.sh sets it) keeps that off the disk.
  folder_ = (std::filesystem::temp_directory_path() / ("tumbra-fuzz-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(folder_);
  std::filesystem::current_path(folder_);
  MainWindow = &window;
}

FuzzRoom::~FuzzRoom() {
  MainWindow = nullptr;
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void FuzzRoom::Put(const char* gamePath, const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path = NativePath(gamePath);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  window.messageBoxes.clear();
}

std::string FuzzRoom::Messages() const {
  std::string out;
  for (const auto& box : window.messageBoxes) out += box.caption + ": " + box.text + "\n";
  return out;
}

void Finding(const std::string& what, const FuzzRoom& room) {
  std::fprintf(stderr, "FINDING: %s\nmessage boxes shown:\n%s", what.c_str(), room.Messages().c_str());
  std::abort();
}
