// config.ini as the player's system may hand it over: unreadable, made read-only by its
// owner, or a link to a copy kept elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/config.h"
#include "base/settings.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* Saved = "username=new\npassword=\nmusic=\nserver=\n";

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SettingsFile : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    CopyField(Username, UsernameSize, "new");
  }
  void TearDown() override {
    Username[0] = '\0';
    HeadlessTest::TearDown();
  }
};

}  // namespace

TEST_F(SettingsFile, AFolderInItsPlaceIsAReadErrorNotAnEmptyFile) {
  fs::create_directory(folder / "config.ini");
  EXPECT_EQ(ReadConfig(), 0);
}

// Write bits for the group and the others do not count, nor that the tests may run as
// root: only the owner's own bit.
TEST_F(SettingsFile, AFileItsOwnerMadeReadOnlyIsLeftAsItWas) {
  WriteFile("config.ini", "username=old\n");
  fs::permissions(folder / "config.ini", fs::perms::owner_read | fs::perms::group_all | fs::perms::others_all);
  EXPECT_EQ(WriteConfig(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR: Error opening config.ini"});
  EXPECT_EQ(Contents(folder / "config.ini"), "username=old\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, ALinkIsFollowedToTheFileItLeadsToWhichIsReplaced) {
  WriteFile("saves/tumbra.ini", "username=old\n");
  fs::create_symlink("saves/link.ini", folder / "config.ini");
  fs::create_symlink("tumbra.ini", folder / "saves/link.ini");  // relative to its own folder
  ASSERT_EQ(WriteConfig(), 1);
  EXPECT_TRUE(fs::is_symlink(folder / "config.ini"));
  EXPECT_TRUE(fs::is_symlink(folder / "saves/link.ini"));
  EXPECT_EQ(Contents(folder / "saves/tumbra.ini"), Saved);
  EXPECT_EQ(fs::status(folder / "saves/tumbra.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(Messages().empty());
}
