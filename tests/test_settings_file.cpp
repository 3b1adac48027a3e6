// config.ini as the player's system may hand it over: unreadable, made read-only by its
// owner, or a link to a copy kept elsewhere.
#include "app/config.h"
#include "test_support.h"

using SettingsFile = HeadlessTest;

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
  EXPECT_EQ(ReadAll(folder / "config.ini"), "username=old\n");
}

TEST_F(SettingsFile, ALinkIsFollowedToTheFileItLeadsToWhichIsReplacedAndReadsBackTheSame) {
  WriteFile("saves/tumbra.ini", "username=old\n");
  fs::create_symlink("saves/link.ini", folder / "config.ini");
  fs::create_symlink("tumbra.ini", folder / "saves/link.ini");  // relative to its own folder
  ClearSettings();
  CopyField(Username, UsernameSize, "alice");
  CopyField(MusicFolder, MusicFolderSize, "/home/alice/My Music");
  ASSERT_EQ(WriteConfig(), 1);
  EXPECT_TRUE(fs::is_symlink(folder / "config.ini") && fs::is_symlink(folder / "saves/link.ini"));
  EXPECT_EQ(ReadAll(folder / "saves/tumbra.ini"), "username=alice\npassword=\nmusic=/home/alice/My Music\nserver=\n");
  EXPECT_EQ(fs::status(folder / "saves/tumbra.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  // It reads back the same, the empty settings too.
  CopyField(ServerName, ServerNameSize, "stale");
  ASSERT_EQ(ReadConfig(), 1);
  EXPECT_STREQ(Username, "alice");
  EXPECT_STREQ(MusicFolder, "/home/alice/My Music");
  EXPECT_STREQ(ServerName, "");
}
