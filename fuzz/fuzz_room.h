#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/headless.h"

// What every fuzz target stands in: a headless window as the main window, the way the
// game's tests run, and a folder of its own as the current directory, so that a file
// under test is opened by the same relative game path the game uses.
class FuzzRoom {
 public:
  FuzzRoom();
  ~FuzzRoom();
  // Writes the bytes to a game path ("bmps\fuzz.bmp") under the room.
  void Put(const char* gamePath, const std::uint8_t* data, std::size_t size);
  // Message boxes since the last Put, "CAPTION: TEXT" each, one per line.
  std::string Messages() const;

  HeadlessPlatform window{32};

 private:
  std::string folder_;
};

// A broken promise of the code under test: says what, then aborts so that libFuzzer
// keeps the input that caused it.
[[noreturn]] void Finding(const std::string& what, const FuzzRoom& room);
