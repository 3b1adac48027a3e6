#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/setting_table.h"
#include "display/display.h"
#include "display/surface.h"
#include "game/cup_rack.h"
#include "game/game_state.h"
#include "platform/headless/headless_platform.h"

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A fresh headless window for each test, installed as the main window, and a fresh
// empty folder that is the current directory while the test runs.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MainWindow = &platform;
    folder = fs::temp_directory_path() / ("tumbra-test-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder);
    MainWindow = nullptr;
  }
  // Texts of the message boxes shown so far, "CAPTION: TEXT" each.
  Strings Messages() const {
    Strings out;
    for (const auto& box : platform.messageBoxes) out.push_back(box.caption + ": " + box.text);
    return out;
  }
  void WriteFile(const std::string& name, const std::string& bytes) {
    fs::create_directories((folder / name).parent_path());
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }

  HeadlessPlatform platform{32};
  fs::path folder;

 private:
  fs::path previous_ = fs::current_path();
};

// HeadlessTest with the back buffer made at 32 bits; released, and DisplayDepth put back
// to 0, afterwards.
class DisplayTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(InitDisplay());
  }
  void TearDown() override {
    ReleaseDisplay();
    DisplayDepth = 0;
    HeadlessTest::TearDown();
  }
  // Makes the display again on a fresh headless window of this depth, which becomes the
  // main window (and receives the message boxes) from now on.
  void UseDepth(int depth) {
    ReleaseDisplay();
    otherWindow = std::make_unique<HeadlessPlatform>(depth);
    MainWindow = otherWindow.get();
    ASSERT_TRUE(InitDisplay());
  }

  std::unique_ptr<HeadlessPlatform> otherWindow;
};

inline std::string Le16(std::uint16_t value) { return {char(value & 0xFF), char(value >> 8)}; }
inline std::string Le32(std::uint32_t value) { return Le16(std::uint16_t(value)) + Le16(std::uint16_t(value >> 16)); }

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A 24-bit .bmp file of one colour in the form the data generator writes: the 40-byte
// header, 1 plane, uncompressed, 72 dots an inch, no palette, bottom row first (the width
// a multiple of 4, so the rows carry no padding).
inline std::string SolidBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint32_t pixelBytes = std::uint32_t(width * height * 3);
  std::string bytes = "BM" + Le32(54 + pixelBytes) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) +
                      Le16(1) + Le16(24) + Le32(0) + Le32(pixelBytes) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
  for (int i = 0; i < width * height; ++i) bytes += {char(blue), char(green), char(red)};
  return bytes;
}

// A rack laid out where every game puts it, with the cup picture's size but no picture.
inline void LayOut(CupRack& rack) {
  rack.width = 80;
  rack.height = 100;
  rack.SetPosition(360, 140);
}

inline void ClearSettings() {
  for (const SettingRow& s : SettingTable) s.field[0] = '\0';
}

// The run folder the build generated (pictures, sounds, music, config.ini).
inline fs::path RunFolder() { return TUMBRA_RUN_DIR; }
