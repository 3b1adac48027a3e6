#include <cstring>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>

#include "desktop_test.h"
#include "platform/desktop/game_view.h"
#include "resources/menu.h"

namespace {

using GameWindowTest = DesktopTest;
using Ids = std::vector<std::intptr_t>;

// A 760 x 560 frame as the display hands it over: rows `pitch` bytes apart, the bytes
// past the pixels of a row holding junk.
struct TestFrame {
  TestFrame(int depth, std::uint32_t fill) : depth(depth), pitch(760 * depth / 8 + 12), bytes(pitch * 560, 0xA5) {
    for (int y = 0; y < 560; ++y)
      for (int x = 0; x < 760; ++x) Put(x, y, fill);
  }
  void Put(int x, int y, std::uint32_t value) { std::memcpy(&bytes[y * pitch + x * depth / 8], &value, depth / 8); }
  FrameView View() const { return FrameView{bytes.data(), 760, 560, pitch, depth}; }

  int depth, pitch;
  std::vector<std::uint8_t> bytes;
};

// Paints of the view, and the area each one covered.
struct PaintLog : QObject {
  std::vector<QRect> areas;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

QRgb Shown(GameWindow& window, int x, int y) { return window.View().grab().toImage().pixel(x, y); }

}  // namespace

TEST_F(GameWindowTest, MenusOpenWithAltAndTheirLetterAndShortcutsPostTheItemsCommands) {
  QStringList titles;
  for (QAction* popup : window.menuBar()->actions()) titles << popup->text();
  EXPECT_EQ(titles, QStringList({"&Game", "&Options", "&Help", "&About"}));
  const std::pair<const char*, int> shortcuts[] = {
      {"F2", CmdNewSinglePlayer}, {"F3", CmdNewVersusGame}, {"F1", CmdHowToPlay}, {"Ctrl+Q", CmdExit}};
  for (const auto& [keys, id] : shortcuts) {
    for (QAction* popup : window.menuBar()->actions())
      for (QAction* item : popup->menu()->actions())
        if (item->shortcut() == QKeySequence(keys)) item->trigger();
    EXPECT_EQ(Taken(WM_COMMAND), Ids{id}) << keys;
  }
}

TEST_F(GameWindowTest, OnlyAPlainEnterIsCharacterThirteen) {
  PressKey(window, Qt::Key_Return, "\r");
  PressKey(window, Qt::Key_Enter, "\r", false, Qt::KeypadModifier | Qt::ShiftModifier);
  for (auto held : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
    PressKey(window, Qt::Key_Return, "\r", false, held);
    PressKey(window, Qt::Key_Enter, "\r", false, held | Qt::KeypadModifier);
  }
  PressKey(window, Qt::Key_A, "a");
  EXPECT_EQ(Taken(WM_CHAR), (Ids{13, 13, 'a'}));
}

TEST_F(GameWindowTest, ArrowsCountWhileHeldOnceAfterATapAndAreLetGoWhenTheKeyboardGoesElsewhere) {
  PressKey(window, Qt::Key_Right);
  ReleaseKey(window, Qt::Key_Right);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Right));
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Right));

  platform.Present(TestFrame(32, 0).View());  // the window shows with its first frame
  window.activateWindow();
  QApplication::processEvents();
  PressKey(window, Qt::Key_Left);
  ReleaseKey(window, Qt::Key_Left, true);  // a held key repeats: it is down all the while
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::processEvents();
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Left));
}

TEST_F(GameWindowTest, AHundredMovesLeaveOneMoveWaiting) {
  platform.Present(TestFrame(32, 0).View());
  Taken(WM_MOVE);
  for (int i = 0; i < 100; ++i) window.move(100 + i % 2, 90);
  EXPECT_EQ(Taken(WM_MOVE).size(), 1u);
  window.move(300, 200);
  EXPECT_EQ(Taken(WM_MOVE).size(), 1u);
}

TEST_F(GameWindowTest, FrameIsScaledPixelForPixelAtWholeScalesAndCentredOnBlack) {
  TestFrame frame(16, 0x001F);  // blue in RGB565
  frame.Put(0, 0, 0xF800);
  frame.Put(759, 559, 0xFFFF);
  platform.Present(frame.View());
  window.resize(2 * 760 + 41, 2 * 560 + window.menuBar()->height());
  QApplication::processEvents();
  ASSERT_EQ(window.View().size(), QSize(2 * 760 + 41, 2 * 560));
  EXPECT_EQ(Shown(window, 19, 0), qRgb(0, 0, 0));
  EXPECT_EQ(Shown(window, 20, 0), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(window, 21, 1), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(window, 22, 0), qRgb(0, 0, 255));
  EXPECT_EQ(Shown(window, 20 + 1519, 1119), qRgb(255, 255, 255));
  EXPECT_EQ(Shown(window, 20 + 1520, 1119), qRgb(0, 0, 0));
}

TEST_F(GameWindowTest, OnlyWhatChangedIsPaintedAndAFrameThatChangesNothingIsNotPainted) {
  TestFrame frame(32, 0x336699);
  platform.Present(frame.View());
  QApplication::processEvents();
  PaintLog log;
  window.View().installEventFilter(&log);
  platform.Present(frame.View());
  EXPECT_TRUE(log.areas.empty());
  frame.Put(700, 500, 0xFFFFFF);
  platform.Present(frame.View());
  ASSERT_EQ(log.areas.size(), 1u);  // painted before Present returned
  EXPECT_TRUE(log.areas[0].contains(QPoint(700, 500)));
  EXPECT_LT(log.areas[0].width() * log.areas[0].height(), 100 * 100);
  EXPECT_EQ(Shown(window, 700, 500), qRgb(255, 255, 255));
  EXPECT_EQ(Shown(window, 701, 500), qRgb(0x33, 0x66, 0x99));
}
