#include <cstring>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "desktop_test.h"
#include "platform/desktop/game_view.h"
#include "resources/menu.h"

namespace {

using GameWindowTest = DesktopTest;
using Ids = std::vector<std::intptr_t>;

QAction* ItemAction(GameWindow& window, int id) {
  const auto popups = window.menuBar()->actions();
  for (qsizetype p = 0; p < popups.size(); ++p) {
    const auto items = popups[p]->menu()->actions();
    const std::vector<MenuItem>& table = MainMenu()[p].items;
    for (size_t i = 0; i < table.size() && i < size_t(items.size()); ++i)
      if (table[i].id == id) return items[i];
  }
  return nullptr;
}

// A frame as the display hands it over: rows `pitch` bytes apart, the bytes past the
// pixels of a row holding junk.
struct TestFrame {
  TestFrame(int depth, int padding)
      : depth(depth), pitch(760 * depth / 8 + padding), bytes(pitch * 560, 0xA5) {}
  void Put(int x, int y, std::uint32_t value) {
    std::memcpy(&bytes[y * pitch + x * depth / 8], &value, depth / 8);
  }
  FrameView View() const { return FrameView{bytes.data(), 760, 560, pitch, depth}; }

  int depth, pitch;
  std::vector<std::uint8_t> bytes;
};

QRgb Shown(GameWindow& window, int x, int y) { return window.View().grab().toImage().pixel(x, y); }

}  // namespace

TEST_F(GameWindowTest, OneFixedWindowWithCaptionMinimiseCloseAndA760By560ViewUnderTheMenu) {
  EXPECT_EQ(window.windowTitle(), "Tumbra by Qervo Software");
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.View().size(), QSize(760, 560));
  EXPECT_GT(window.View().y(), window.menuBar()->geometry().bottom());
  EXPECT_EQ(window.height(), window.menuBar()->height() + 560);
}

TEST_F(GameWindowTest, CarriesTheGameIconAtEverySizeItWasDrawnAt) {
  const QList<QSize> sizes = window.windowIcon().availableSizes();
  for (int side : {32, 64, 256}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

TEST_F(GameWindowTest, TickCountIsInMilliseconds) {
  const std::uint32_t start = platform.TickCount();
  platform.Sleep(30);
  const std::uint32_t elapsed = platform.TickCount() - start;
  EXPECT_GE(elapsed, 30u);
  EXPECT_LT(elapsed, 10000u);
}

TEST_F(GameWindowTest, MenuBarHoldsTheMenuInOrderAndEachItemPostsItsOwnCommand) {
  const auto popups = window.menuBar()->actions();
  ASSERT_EQ(size_t(popups.size()), MainMenu().size());
  Ids expected;
  for (size_t p = 0; p < MainMenu().size(); ++p) {
    const MenuPopup& popup = MainMenu()[p];
    EXPECT_EQ(popups[p]->text().toStdString(), popup.text);
    const auto items = popups[p]->menu()->actions();
    ASSERT_EQ(size_t(items.size()), popup.items.size()) << popup.text;
    for (size_t i = 0; i < popup.items.size(); ++i) {
      EXPECT_EQ(items[i]->text().toStdString(), popup.items[i].text);
      EXPECT_EQ(items[i]->isChecked(), popup.items[i].checked) << popup.items[i].text;
      items[i]->trigger();
      expected.push_back(popup.items[i].id);
    }
  }
  EXPECT_EQ(Taken(WM_COMMAND), expected);
}

TEST_F(GameWindowTest, CheckMarksChangeOnlyWhenTheGameSetsThem) {
  QAction* sound = ItemAction(window, CmdSoundFx);
  sound->trigger();
  EXPECT_TRUE(sound->isChecked());
  platform.CheckMenuItem(CmdSoundFx, false);
  EXPECT_FALSE(sound->isChecked());
  sound->trigger();
  EXPECT_FALSE(sound->isChecked());
  EXPECT_EQ(Taken(WM_COMMAND), (Ids{CmdSoundFx, CmdSoundFx}));

  // A mark can go on any item, also one that started without.
  platform.CheckMenuItem(CmdOptions, true);
  EXPECT_TRUE(ItemAction(window, CmdOptions)->isChecked());
  platform.CheckMenuItem(12345, true);  // no such item: nothing happens
}

TEST_F(GameWindowTest, EnterAndTypedCharactersBecomeCharMessages) {
  PressKey(window, Qt::Key_Return, "\r");
  PressKey(window, Qt::Key_Enter, "", false, Qt::KeypadModifier);
  PressKey(window, Qt::Key_A, "a");
  PressKey(window, Qt::Key_Space, " ", true);  // a held key repeats its character
  PressKey(window, Qt::Key_Eacute, QString::fromUtf8("é"));
  PressKey(window, Qt::Key_unknown, QString::fromUtf8("€"));  // no single byte for it
  PressKey(window, Qt::Key_Shift);
  PressKey(window, Qt::Key_Left);
  EXPECT_EQ(Taken(WM_CHAR), (Ids{13, 13, 'a', ' ', 0xE9}));
}

TEST_F(GameWindowTest, ArrowKeysCountWhileHeldAndOnceAfterAQuickTap) {
  PressKey(window, Qt::Key_Left);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Right));
  // A held key repeats as release and press pairs; it is down all the while.
  ReleaseKey(window, Qt::Key_Left, true);
  PressKey(window, Qt::Key_Left, {}, true);
  ReleaseKey(window, Qt::Key_Left, true);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  ReleaseKey(window, Qt::Key_Left);
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Left));

  PressKey(window, Qt::Key_Right);
  ReleaseKey(window, Qt::Key_Right);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Right));
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Right));
}

TEST_F(GameWindowTest, AnArrowHeldWhenAnotherWindowTakesTheKeyboardIsLetGo) {
  window.activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(window.isActiveWindow());
  PressKey(window, Qt::Key_Right);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Right));
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::processEvents();
  ASSERT_FALSE(window.isActiveWindow());
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Right));
}

TEST_F(GameWindowTest, MovingPostsMoveAndClosingPostsDestroy) {
  window.move(120, 90);
  EXPECT_FALSE(Taken(WM_MOVE).empty());
  int x = 0, y = 0;
  platform.WindowCorner(x, y);
  EXPECT_EQ(QPoint(x, y), QPoint(120, 90));

  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}

TEST_F(GameWindowTest, ViewIsBlackUntilTheFirstFrameThenShowsItPixelForPixel) {
  EXPECT_EQ(Shown(window, 0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(Shown(window, 759, 559), qRgb(0, 0, 0));

  TestFrame frame(32, 24);
  for (int y = 0; y < 560; ++y)
    for (int x = 0; x < 760; ++x)
      frame.Put(x, y, std::uint32_t(x & 0xFF) << 16 | std::uint32_t(y & 0xFF) << 8 | 0x40);
  platform.Present(frame.View());
  // What is shown is a copy: the game goes on drawing into its buffer.
  std::fill(frame.bytes.begin(), frame.bytes.end(), 0);
  const QImage shown = window.View().grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(759, 0), QPoint(0, 559), QPoint(759, 559), QPoint(301, 207)})
    EXPECT_EQ(shown.pixel(p), qRgb(p.x() & 0xFF, p.y() & 0xFF, 0x40)) << p.x() << "," << p.y();
}

// The game may sleep right after presenting (the re-rack pause): the frame must be on
// screen before Present returns, not whenever the window next gets to paint.
TEST_F(GameWindowTest, PresentPaintsBeforeReturning) {
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  window.View().installEventFilter(&counter);
  TestFrame frame(32, 0);
  platform.Present(frame.View());
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(GameWindowTest, SixteenBitFramesAreReadAsRgb565) {
  TestFrame frame(16, 6);
  for (int y = 0; y < 560; ++y)
    for (int x = 0; x < 760; ++x)
      frame.Put(x, y, y < 280 ? (x < 380 ? 0xF800 : 0x07E0) : (x < 380 ? 0x001F : 0xFFFF));
  platform.Present(frame.View());
  EXPECT_EQ(Shown(window, 10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(window, 750, 10), qRgb(0, 255, 0));
  EXPECT_EQ(Shown(window, 10, 550), qRgb(0, 0, 255));
  EXPECT_EQ(Shown(window, 750, 550), qRgb(255, 255, 255));
}

TEST_F(GameWindowTest, TitleButtonIsAnInvisibleZoneWhoseLeftClickPostsItsCommand) {
  TestFrame frame(32, 0);
  for (int y = 0; y < 560; ++y)
    for (int x = 0; x < 760; ++x) frame.Put(x, y, 0x336699);
  platform.Present(frame.View());
  platform.CreateTitleButton(2, Rect{100, 300, 200, 60});

  GameView& view = window.View();
  QWidget* zone = view.childAt(150, 330);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(view.childAt(99, 330), nullptr);
  EXPECT_EQ(view.childAt(300, 330), nullptr);
  EXPECT_EQ(view.childAt(150, 360), nullptr);
  EXPECT_EQ(Shown(window, 150, 330), qRgb(0x33, 0x66, 0x99));

  const QPoint inside = zone->mapFrom(&view, QPoint(150, 330));
  Click(*zone, inside, inside);
  Click(*zone, inside, zone->mapFrom(&view, QPoint(400, 330)));  // let go elsewhere
  Click(*zone, inside, inside, Qt::RightButton);
  EXPECT_EQ(Taken(WM_COMMAND), Ids{2});

  platform.DestroyTitleButton(2);
  EXPECT_EQ(view.childAt(150, 330), nullptr);
  platform.DestroyTitleButton(2);  // gone already: nothing happens
}

TEST_F(GameWindowTest, MakingATitleButtonAgainMovesItInsteadOfAddingOne) {
  platform.CreateTitleButton(1, Rect{10, 10, 50, 50});
  platform.CreateTitleButton(1, Rect{400, 400, 50, 50});
  EXPECT_EQ(window.View().childAt(20, 20), nullptr);
  ASSERT_NE(window.View().childAt(420, 420), nullptr);
  platform.DestroyTitleButton(1);
  EXPECT_EQ(window.View().childAt(420, 420), nullptr);
}
