// A quit signal asks the game to close as its close box does: at once, also in the
// middle of a long pause, and from a dialog, which it ends without a word to the
// dialog's procedure (Options saves nothing).
#include <chrono>
#include <csignal>

#include "desktop_test.h"
#include "platform/desktop/dialog_window.h"
#include "resources/dialogs.h"

using QuitSignal = DesktopTest;
static std::vector<int> Heard;

TEST_F(QuitSignal, CutsAPauseShort) {
  std::raise(SIGHUP);
  const auto start = std::chrono::steady_clock::now();
  platform.Sleep(1500);  // the re-rack's
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}

TEST_F(QuitSignal, EndsADialogUnheardByItsProcedure) {
  WhenShown<DialogWindow>([](DialogWindow&) { std::raise(SIGTERM); });
  platform.DialogBox(OptionsDialog(), [](DialogContext&, int message, std::intptr_t, std::intptr_t) {
    Heard.push_back(message);
    return std::intptr_t{1};
  });
  EXPECT_EQ(Heard, std::vector<int>{WM_INITDIALOG});
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}
