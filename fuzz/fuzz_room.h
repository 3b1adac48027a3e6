#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/paths.h"
#include "platform/headless/headless_platform.h"

// What every fuzz target stands in: a headless window as the main window, the way the
// game's tests run, and a folder of its own as the current directory, so that a file
// under test is opened by the same relative game path the game uses. The file is
// rewritten for every input: a memory-backed temporary folder (TMPDIR=/dev/shm, as
// fuzz.sh sets it) keeps that off the disk.
struct FuzzRoom {
  HeadlessPlatform window{32};
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tumbra-fuzz-" + std::to_string(getpid()));

  FuzzRoom() {
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    MainWindow = &window;
  }
  ~FuzzRoom() { std::filesystem::remove_all(folder); }

  // Writes the bytes to a game path ("bmps\fuzz.bmp") under the room and forgets the
  // message boxes shown so far.
  void Put(const char* gamePath, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = NativePath(gamePath);
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    window.messageBoxes.clear();
  }

  // Message boxes since the last Put, "CAPTION: TEXT" each, one per line.
  std::string Messages() const {
    std::string out;
    for (const auto& box : window.messageBoxes) out += box.caption + ": " + box.text + "\n";
    return out;
  }

  // A broken promise of the code under test: says what, then aborts so that libFuzzer
  // keeps the input that caused it.
  [[noreturn]] void Finding(const std::string& what) const {
    std::fprintf(stderr, "FINDING: %s\nmessage boxes:\n%s", what.c_str(), Messages().c_str());
    std::abort();
  }
};
