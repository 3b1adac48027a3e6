// A quit signal ends whatever modal window is open, without a word to a dialog's
// procedure (Options saves nothing), and asks the game to close as its close box does.
#include <QMessageBox>

#include <csignal>

#include "desktop_test.h"
#include "platform/desktop/dialog_window.h"
#include "resources/dialogs.h"

namespace {

using QuitSignal = DesktopTest;

std::vector<int> Heard;

std::intptr_t Listening(DialogContext&, int message, std::intptr_t, std::intptr_t) {
  Heard.push_back(message);
  return 1;
}

}  // namespace

TEST_F(QuitSignal, EndsADialogUnheardByItsProcedure) {
  WhenShown<DialogWindow>([](DialogWindow&) { std::raise(SIGTERM); });
  platform.DialogBox(OptionsDialog(), Listening);
  EXPECT_EQ(Heard, std::vector<int>{WM_INITDIALOG});
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}

TEST_F(QuitSignal, EndsAMessageBox) {
  WhenShown<QMessageBox>([](QMessageBox&) { std::raise(SIGINT); });
  platform.MessageBox("Not supported yet.  Sorry!", "Tumbra");
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}
