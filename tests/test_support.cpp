#include "test_support.h"

#include <fstream>

#include "display/display.h"

#include <unistd.h>

void HeadlessTest::SetUp() {
  MainWindow = &platform;
  previous_ = std::filesystem::current_path();
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() /
           (std::string("tumbra-") + info->test_suite_name() + "-" + info->name() + "-" +
            std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
}

void HeadlessTest::TearDown() {
  std::filesystem::current_path(previous_);
  std::filesystem::remove_all(folder);
  MainWindow = nullptr;
}

std::vector<std::string> HeadlessTest::Messages() const {
  std::vector<std::string> out;
  for (const auto& box : platform.messageBoxes) out.push_back(box.caption + ": " + box.text);
  return out;
}

void HeadlessTest::WriteFile(const std::string& name, const std::string& bytes) {
  std::filesystem::path path = folder / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void DisplayTest::SetUp() {
  HeadlessTest::SetUp();
  ASSERT_TRUE(InitDisplay());
}

void DisplayTest::TearDown() {
  ReleaseDisplay();
  DisplayDepth = 0;
  HeadlessTest::TearDown();
}

void DisplayTest::UseDepth(int depth) {
  ReleaseDisplay();
  otherWindow = std::make_unique<HeadlessPlatform>(depth);
  MainWindow = otherWindow.get();
  ASSERT_TRUE(InitDisplay());
}

std::string SolidBitmap(int width, int height, std::uint8_t red, std::uint8_t green,
                        std::uint8_t blue) {
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width) * height * 3;
  std::string bytes;
  auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  put(0x4D42, 2);  // "BM"
  put(54 + pixelBytes, 4);
  put(0, 4);
  put(54, 4);  // pixel data right after the headers
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);   // planes
  put(24, 2);  // bits per pixel
  put(0, 4);   // uncompressed
  put(pixelBytes, 4);
  for (int i = 0; i < 4; ++i) put(0, 4);  // resolution and palette counts
  for (std::uint32_t i = 0; i < pixelBytes / 3; ++i) {
    bytes.push_back(static_cast<char>(blue));
    bytes.push_back(static_cast<char>(green));
    bytes.push_back(static_cast<char>(red));
  }
  return bytes;
}

std::filesystem::path RunFolder() { return TUMBRA_RUN_DIR; }
