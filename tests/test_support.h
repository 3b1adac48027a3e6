#pragma once
#include <filesystem>
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

// The run folder the build generated (pictures, sounds, music, config.ini).
std::filesystem::path RunFolder();
