// The program's start: config.ini read and saved, and the failures that end the start.
#include <tuple>

#include "app/config.h"
#include "app/program.h"
#include "test_support.h"

using Config = HeadlessTest;

// The settings in the order of the file.
static Strings Settings() {
  Strings all;
  for (const SettingRow& s : SettingTable) all.push_back(s.field);
  return all;
}

// What each file reads as, and whether it reads at all; what was read before a format
// error stays.
TEST_F(Config, SettingsReadAsWrittenUntilAFormatErrorStopsTheRead) {
  const std::string huge(5000, 'x');
  const std::tuple<std::string, int, Strings> cases[] = {
      // a carriage return before the line feed ends the line; elsewhere it is a character
      {"username=bob\r\npassword=pw\r\nmusic=\r\nserver=srv\r\n", 1, {"bob", "pw", "", "srv"}},
      {"username=a\rb\n", 1, {"a\rb", "", "", ""}},
      {"username=a\nserver=lost", 1, {"a", "", "", ""}},  // the last line without its end is dropped
      // a key that begins with a setting's name names it, nothing is trimmed, the last line wins
      {"server = host\nmusicfolder=/m\nserver2=x\nserver = again\n", 1, {"", "", "/m", " again"}},
      {"username=" + std::string(20, 'u') + "\nmusic=" + huge + "\nserver=" + huge + "\npassword=p\n", 1,
       {std::string(15, 'u'), "p", std::string(255, 'x'), std::string(49, 'x')}},  // cut to their fields
      {"music" + huge + "=deep\n", 1, {"", "", "deep", ""}},  // a key cut with the token still names it
      {"username=kept\n\npassword=b\n", 0, {"kept", "", "", ""}},  // an empty line
      {"username\n", 0, Strings(4)},                              // a line without "="
      {"user=bob\n", 0, Strings(4)},                              // the beginning of a key's name
      {"Username=x\n", 0, Strings(4)},                            // names are case-sensitive
      {"password=a=b\n", 0, Strings(4)},                          // a second "="
  };
  for (const auto& [text, read, settings] : cases) {
    ClearSettings();
    WriteFile("config.ini", text);
    EXPECT_EQ(ReadConfig(), read) << text;
    EXPECT_EQ(Settings(), settings) << text;
  }
}

TEST_F(Config, FailedSaveLeavesTheOldFileWholeAndSaysSo) {
  WriteFile("config.ini", DefaultConfigText);
  fs::create_directory(folder / "config.ini.new");  // the write fails before any rename
  CopyField(Username, UsernameSize, "new");
  EXPECT_EQ(WriteConfig(), 0);
  EXPECT_EQ(Messages(), Strings{"ERROR: Error opening config.ini"});
  EXPECT_EQ(ReadAll("config.ini"), DefaultConfigText);
}

class Program : public HeadlessTest {
 protected:
  void TearDown() override {
    ReleaseDisplay();
    DisplayDepth = 0;
    HeadlessTest::TearDown();
  }
};

// A failed start ends with status 1, so that the launcher and scripts see it failed.
TEST_F(Program, AMissingConfigOrBackgroundEndsTheStart) {
  EXPECT_EQ(RunProgram(platform), 1);
  EXPECT_EQ(Messages(), Strings{"ERROR: Could not read configuration file: config.ini"});
  EXPECT_EQ(BackBuffer, nullptr);
  platform.messageBoxes.clear();
  WriteFile("config.ini", DefaultConfigText);
  EXPECT_EQ(RunProgram(platform), 1);
  EXPECT_EQ(Messages(), (Strings{"Tumbra: Fail: Bitmap failed to open!", "Tumbra: FAIL: Could not load bitmap file!",
                                 "ERROR: Game Bitmaps could not be initialized"}));
}
