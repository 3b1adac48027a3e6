// The program's life: start-up steps and their failures, one message then one frame per
// pass, and the quit.
#include <gtest/gtest.h>

#include "app/program.h"
#include "display/display.h"
#include "game/game_state.h"
#include "test_support.h"

namespace {

class Program : public HeadlessTest {
 protected:
  void TearDown() override {
    ReleaseDisplay();
    DisplayDepth = 0;
    FrameHandler = nullptr;
    HeadlessTest::TearDown();
  }
  void LinkGameData() {
    std::filesystem::create_directory_symlink(RunFolder() / "bmps", folder / "bmps");
    std::filesystem::create_directory_symlink(RunFolder() / "wavs", folder / "wavs");
    std::filesystem::create_directory(folder / "music");
    WriteFile("config.ini", "username=\npassword=\nmusic=\nserver=\n");
  }
};

std::vector<int> FramesSaw;
int RecordingFrame() {
  FramesSaw.push_back(PlayState);
  return 1;
}

}  // namespace

TEST_F(Program, MissingConfigEndsTheStartBeforeTheDisplayExists) {
  EXPECT_EQ(RunProgram(platform), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR: Could not read configuration file: config.ini"});
  EXPECT_EQ(BackBuffer, nullptr);
  EXPECT_EQ(platform.framesPresented, 0);
}

TEST_F(Program, MissingGameBackgroundEndsTheStartWithTheLoadersMessagesFirst) {
  WriteFile("config.ini", "username=\npassword=\nmusic=\nserver=\n");
  EXPECT_EQ(RunProgram(platform), 0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Tumbra: Fail: Bitmap failed to open!",
                                                  "Tumbra: FAIL: Could not load bitmap file!",
                                                  "ERROR: Game Bitmaps could not be initialized"}));
}

TEST_F(Program, EachPassHandlesAMessageBeforeItsFrame) {
  FramesSaw.clear();
  FrameHandler = RecordingFrame;
  PlayState = Ready;
  platform.PostMessage(WM_CHAR, 13);
  platform.PostMessage(WM_CHAR, 'x');
  EXPECT_TRUE(MainLoopPass());
  EXPECT_TRUE(MainLoopPass());
  EXPECT_TRUE(MainLoopPass());  // no message left: the frame still runs
  EXPECT_EQ(FramesSaw, (std::vector<int>{AimStart, AimStart, AimStart}));
  PlayState = TurnStart;
}

TEST_F(Program, QuitEndsTheLoopBeforeThatPassesFrame) {
  FramesSaw.clear();
  FrameHandler = RecordingFrame;
  platform.PostQuitMessage(0);
  platform.PostMessage(WM_CHAR, 13);
  EXPECT_FALSE(MainLoopPass());
  EXPECT_TRUE(FramesSaw.empty());
  EXPECT_EQ(QuitCode(), 0);
}
