#include "test_support.h"

#include <fstream>

void HeadlessTest::SetUp() {
  MainWindow = &platform;
  previous_ = std::filesystem::current_path();
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() /
           (std::string("tumbra-") + info->test_suite_name() + "-" + info->name());
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

std::filesystem::path RunFolder() { return TUMBRA_RUN_DIR; }
