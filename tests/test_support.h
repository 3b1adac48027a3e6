#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless.h"

// A fresh headless window for each test, installed as the main window, and a fresh
// empty folder that is the current directory while the test runs.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Texts of the message boxes shown so far, "CAPTION: TEXT" each.
  std::vector<std::string> Messages() const;
  void WriteFile(const std::string& name, const std::string& bytes);

  HeadlessPlatform platform{32};
  std::filesystem::path folder;

 private:
  std::filesystem::path previous_;
};

// HeadlessTest with the back buffer made, at 32 bits unless the test asks for another
// depth; the display is released and DisplayDepth put back to 0 afterwards.
class DisplayTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes the display again on a fresh headless window of this depth, which becomes the
  // main window (and receives the message boxes) from now on.
  void UseDepth(int depth);

  std::unique_ptr<HeadlessPlatform> otherWindow;
};

// A 24-bit .bmp file of one colour in the form the game's pictures have (the width a
// multiple of 4, so the rows carry no padding).
std::string SolidBitmap(int width, int height, std::uint8_t red, std::uint8_t green,
                        std::uint8_t blue);

// The run folder the build generated (pictures, sounds, music, config.ini).
std::filesystem::path RunFolder();
