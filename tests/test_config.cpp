// config.ini: what reads, what stops the start-up, and saving it safely.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "app/config.h"
#include "base/settings.h"
#include "test_support.h"

namespace {

class Config : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Clear();
  }
  static void Clear() {
    Username[0] = Password[0] = MusicFolder[0] = ServerName[0] = '\0';
  }
  int Read(const std::string& contents) {
    WriteFile("config.ini", contents);
    return ReadConfig();
  }
  std::string FileText() {
    std::ifstream in(folder / "config.ini", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

}  // namespace

TEST_F(Config, WrittenFileReadsBackToTheSameSettingsEmptyOnesToo) {
  CopyField(Username, UsernameSize, "alice");
  CopyField(MusicFolder, MusicFolderSize, "/home/alice/My Music");
  ASSERT_EQ(WriteConfig(), 1);
  EXPECT_EQ(FileText(), "username=alice\npassword=\nmusic=/home/alice/My Music\nserver=\n");
  Clear();
  CopyField(ServerName, ServerNameSize, "stale");
  ASSERT_EQ(ReadConfig(), 1);
  EXPECT_STREQ(Username, "alice");
  EXPECT_STREQ(Password, "");
  EXPECT_STREQ(MusicFolder, "/home/alice/My Music");
  EXPECT_STREQ(ServerName, "");
}

TEST_F(Config, FormatErrorsStopTheRead) {
  EXPECT_EQ(Read("username=a\n\npassword=b\n"), 0) << "empty line";
  EXPECT_EQ(Read("username\n"), 0) << "line without =";
  EXPECT_EQ(Read("user=bob\n"), 0) << "only the beginning of a key name";
  EXPECT_EQ(Read("colour=red\n"), 0) << "unknown key";
  EXPECT_EQ(Read("password=a=b\n"), 0) << "second = on a line";
}

TEST_F(Config, SettingsReadBeforeAnErrorKeepTheirValues) {
  EXPECT_EQ(Read("username=kept\nbogus\n"), 0);
  EXPECT_STREQ(Username, "kept");
}

TEST_F(Config, LastLineWithoutLineEndIsDroppedQuietly) {
  EXPECT_EQ(Read("username=a\nserver=lost"), 1);
  EXPECT_STREQ(Username, "a");
  EXPECT_STREQ(ServerName, "");
}

TEST_F(Config, KeysAreMatchedOnTheirNameAndNothingIsTrimmed) {
  EXPECT_EQ(Read("server = host\nmusicfolder=/m\nserver2=x\nserver = again\n"), 1);
  EXPECT_STREQ(ServerName, " again") << "last one wins, leading blank kept";
  EXPECT_STREQ(MusicFolder, "/m");
  EXPECT_EQ(Read("Username=x\n"), 0) << "names are case-sensitive";
}

TEST_F(Config, LongValuesAreCutToTheirFieldsAndNeverOverflowTheToken) {
  std::string huge(5000, 'x');
  EXPECT_EQ(Read("username=" + std::string(20, 'u') + "\nmusic=" + huge + "\nserver=" + huge +
                 "\npassword=p\n"),
            1);
  EXPECT_EQ(std::string(Username), std::string(15, 'u'));
  EXPECT_EQ(std::string(MusicFolder), std::string(255, 'x'));
  EXPECT_EQ(std::string(ServerName), std::string(49, 'x'));
  EXPECT_STREQ(Password, "p");
  // A key past the token's 299 characters is cut too, and still names its setting.
  EXPECT_EQ(Read("music" + huge + "=deep\n"), 1);
  EXPECT_STREQ(MusicFolder, "deep");
}

TEST_F(Config, CarriageReturnBeforeLineFeedEndsTheLine) {
  EXPECT_EQ(Read("username=bob\r\npassword=pw\r\nmusic=\r\nserver=srv\r\n"), 1);
  EXPECT_STREQ(Username, "bob");
  EXPECT_STREQ(Password, "pw");
  EXPECT_STREQ(ServerName, "srv");
  // A carriage return elsewhere is an ordinary character of the value.
  EXPECT_EQ(Read("username=a\rb\n"), 1);
  EXPECT_STREQ(Username, "a\rb");
}

TEST_F(Config, FailedSaveLeavesTheOldFileWholeAndSaysSo) {
  WriteFile("config.ini", "username=old\npassword=\nmusic=\nserver=\n");
  // A folder where the new file would go makes the write fail before any rename.
  std::filesystem::create_directory(folder / "config.ini.new");
  CopyField(Username, UsernameSize, "new");
  EXPECT_EQ(WriteConfig(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR: Error opening config.ini"});
  EXPECT_EQ(FileText(), "username=old\npassword=\nmusic=\nserver=\n");
}
