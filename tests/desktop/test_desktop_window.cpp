#include <chrono>
#include <csignal>
#include <cstring>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/options_dialog.h"
#include "app/window_proc.h"
#include "base/settings.h"
#include "game/screens.h"
#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/dialog_window.h"
#include "platform/desktop/game_view.h"
#include "platform/desktop/game_window.h"
#include "resources/dialogs.h"
#include "resources/menu.h"

namespace {

using Ids = std::vector<std::intptr_t>;

// A fresh game window for each test, with its start-up messages already taken.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { Taken(0); }

  // Takes every queued message and returns the wParams of those of one kind.
  Ids Taken(int message) {
    Ids out;
    for (Message m; platform.PeekMessage(m);)
      if (m.message == message) out.push_back(m.wParam);
    return out;
  }

  // Runs `act` once a modal window of type W is up, for driving dialogs that block the
  // test until they close.
  template <class W>
  void WhenShown(std::function<void(W&)> act) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
      if (W* shown = qobject_cast<W*>(QApplication::activeModalWidget())) {
        poll->deleteLater();
        act(*shown);
      }
    });
    poll->start(5);
  }

  DesktopPlatform platform;
  GameWindow& window = platform.Window();
};
using GameWindowTest = DesktopTest;
using DialogWindowTest = DesktopTest;

void PressKey(QWidget& target, int key, const QString& text = {}, Qt::KeyboardModifiers held = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, held, text);
  QApplication::sendEvent(&target, &event);
}

void ReleaseKey(QWidget& target, int key, bool autoRepeat = false) {
  QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(&target, &event);
}

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

// The widget that shows a control's text: its caption, title or text.
QWidget* ShowingText(QDialog& dialog, const char* text) {
  for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    auto* box = qobject_cast<QGroupBox*>(w);
    if ((box ? box->title() : w->property("text").toString()) == QString::fromUtf8(text)) return w;
  }
  return nullptr;
}

// Whether the widget needs more room than its box gives it.
bool Overflows(QWidget& w) {
  const QFontMetrics metrics(w.font());
  if (auto* label = qobject_cast<QLabel*>(&w))
    return label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                             : metrics.horizontalAdvance(label->text()) > label->width();
  if (auto* button = qobject_cast<QPushButton*>(&w))
    return metrics.horizontalAdvance(button->text()) + 8 > button->width() || metrics.height() + 4 > button->height();
  if (auto* box = qobject_cast<QGroupBox*>(&w)) return metrics.horizontalAdvance(box->title()) + 16 > box->width();
  if (auto* edit = qobject_cast<QLineEdit*>(&w)) return metrics.height() + 4 > edit->height();
  return false;
}

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
  PressKey(window, Qt::Key_Enter, "\r", Qt::KeypadModifier | Qt::ShiftModifier);
  for (auto held : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
    PressKey(window, Qt::Key_Return, "\r", held);
    PressKey(window, Qt::Key_Enter, "\r", held | Qt::KeypadModifier);
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
  PressKey(window, Qt::Key_Right);
  platform.AsyncKeyState(ArrowKey::Right);
  WhenShown<QDialog>([](QDialog& box) { box.accept(); });
  platform.MessageBox("Not supported yet.  Sorry!", "Tumbra");  // a message box takes the keyboard
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Right));
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

// On a screen too small for 1:1, the first window is smaller, its picture keeping its
// shape, and its frame wholly on the screen. Closed maximised, it comes back maximised,
// with its icon and its switches as they were, and goes back to the place it was moved
// to when un-maximised.
TEST_F(GameWindowTest, TheFirstWindowFitsASmallScreenAndComesBackMaximisedAsItWasLeft) {
  platform.Present(TestFrame(32, 0).View());
  QApplication::processEvents();
  EXPECT_TRUE(QRect(0, 0, 800, 480).contains(window.frameGeometry()));
  const QSize picture = window.View().size();
  EXPECT_LT(picture.height(), 560);
  EXPECT_NEAR(picture.width() * 560.0 / picture.height(), 760, 2);
  window.move(4, 3);
  QApplication::processEvents();
  const QRect normal = window.frameGeometry();
  window.showMaximized();
  window.RememberGeometry();
  window.CheckMenuItem(CmdSoundFx, false);

  GameWindow again(platform);
  EXPECT_EQ(Taken(WM_COMMAND), Ids{CmdSoundFx}) << "the switch left off is turned off again";
  again.CheckMenuItem(CmdSoundFx, true);
  EXPECT_FALSE(again.windowIcon().isNull());
  again.Reveal(QSize(760, 560));
  QApplication::processEvents();
  EXPECT_TRUE(again.isMaximized());
  again.showNormal();
  QApplication::processEvents();
  EXPECT_EQ(again.frameGeometry(), normal);
}

// A title button takes a click inside its place only, and none once it is gone: after a
// game has started, nothing of the title is left to click.
TEST_F(GameWindowTest, TitleButtonsTakeClicksInTheirPlaceUntilTheyAreGone) {
  platform.Present(TestFrame(32, 0).View());
  window.resize(760, 560 + window.menuBar()->height());
  QApplication::processEvents();
  platform.CreateTitleButton(SinglePlayerButton, {500, 80, 160, 60});
  const auto click = [this](int x, int y) {
    const QPointF at(x, y);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window.View(), &press);
    QApplication::sendEvent(&window.View(), &release);
    return Taken(WM_COMMAND);
  };
  EXPECT_EQ(click(500, 80), Ids{SinglePlayerButton});
  EXPECT_EQ(click(659, 139), Ids{SinglePlayerButton});
  for (const auto& [x, y] : {std::pair{499, 100}, {660, 100}, {600, 79}, {600, 140}}) EXPECT_EQ(click(x, y), Ids{});
  platform.DestroyTitleButton(SinglePlayerButton);
  EXPECT_EQ(click(580, 110), Ids{});
}

// On a screen of two device pixels to a pixel (QT_SCALE_FACTOR=2) the picture fills the
// view all the same.
TEST_F(GameWindowTest, OnAScaledScreenThePictureFillsTheView) {
  if (window.devicePixelRatio() == 1) GTEST_SKIP() << "the screen is not scaled";
  TestFrame frame(32, 0x336699);
  frame.Put(759, 559, 0xFFFFFF);
  platform.Present(frame.View());
  window.resize(380, 280 + window.menuBar()->height());
  QApplication::processEvents();
  const QImage shown = window.View().grab().toImage();
  EXPECT_EQ(shown.pixel(759, 559), qRgb(255, 255, 255));
}

TEST_F(GameWindowTest, OnlyWhatChangedIsPaintedAndAFrameThatChangesNothingIsNotPainted) {
  TestFrame frame(32, 0x336699);
  platform.Present(frame.View());
  window.resize(760, 560 + window.menuBar()->height());
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

TEST_F(DialogWindowTest, EveryTemplateBuildsIntoOneWindowWhoseTextsFitTheirBoxes) {
  int way = 0;
  for (const DialogTemplate* t : {&OptionsDialog(), &HowToPlayDialog(), &RulesDialog(),
                                  &AboutTumbraDialog(), &AboutQervoDialog()}) {
    SCOPED_TRACE(t->name);
    WhenShown<QDialog>([t, way](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(), t->caption);
      // Big enough for its texts (below), small enough for the smallest screen we run on.
      EXPECT_LE(dialog.width(), 800);
      EXPECT_LE(dialog.height(), 600);
      for (const DialogControl& c : t->controls) {
        QWidget* w = c.kind == DialogControl::Edit ? nullptr : ShowingText(dialog, c.text);
        if (!w) continue;
        EXPECT_TRUE(dialog.rect().contains(w->geometry())) << c.text;
        EXPECT_NEAR(w->y(), c.y * dialog.height() / double(t->height), 1.0) << c.text;
        EXPECT_FALSE(Overflows(*w)) << c.text;
        // Frames lie under what they frame: a click lands on the control, not the frame.
        if (c.kind == DialogControl::GroupBox) continue;
        QWidget* hit = dialog.childAt(w->geometry().center());
        EXPECT_TRUE(hit == w || w->isAncestorOf(hit)) << c.text;
      }
      for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) EXPECT_FALSE(Overflows(*edit));
      // OK, Escape and the close box each close an information box.
      if (way % 3 == 0) PressKey(*ShowingText(dialog, "OK"), Qt::Key_Return, "\r");
      if (way % 3 == 1) PressKey(dialog, Qt::Key_Escape);
      if (way % 3 == 2) dialog.close();
      EXPECT_FALSE(dialog.isVisible()) << way;
      dialog.done(0);
    });
    EXPECT_EQ(platform.DialogBox(*t, InfoDialogProc), 0);
    ++way;
  }
}

// Options opens with the keyboard in the user name; Tab goes down the fields, then along
// the buttons. Each field stops at its setting's length in bytes of UTF-8, typed or
// pasted, never at half a character.
TEST_F(DialogWindowTest, OptionsStartsInItsFirstFieldAndItsFieldsTakeWhatTheirSettingsHold) {
  MusicOn = 0;  // Escape would start the music again
  WhenShown<DialogWindow>([](DialogWindow& dialog) {
    auto tab = [&dialog] { PressKey(*dialog.focusWidget(), Qt::Key_Tab); };
    for (int i = 0; i < 20; ++i) PressKey(*dialog.focusWidget(), Qt::Key_E, "\u00e9");
    tab();
    qobject_cast<QLineEdit*>(dialog.focusWidget())->insert(QString(20, 'p'));
    tab();
    PressKey(*dialog.focusWidget(), Qt::Key_S, "s");
    tab();
    qobject_cast<QLineEdit*>(dialog.focusWidget())->insert(QString(248, 'm') + "\U0001F600\U0001F600");
    EXPECT_EQ(dialog.GetItemText(IdUsername), "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9");
    EXPECT_EQ(dialog.GetItemText(IdPassword), std::string(15, 'p'));
    EXPECT_EQ(dialog.GetItemText(IdServer), "s");
    EXPECT_EQ(dialog.GetItemText(IdMusicFolder), std::string(248, 'm') + "\U0001F600");
    QStringList buttons;
    for (int i = 0; i < 3; ++i) {
      tab();
      buttons << dialog.focusWidget()->property("text").toString();
    }
    EXPECT_EQ(buttons, QStringList({"OK", "Cancel", "Browse"}));
    PressKey(dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(platform.DialogBox(OptionsDialog(), OptionsDialogProc), 0);
  EXPECT_STREQ(Username, "");  // Escape keeps nothing
}

// A quit signal asks the game to close as its close box does: at once, also in the
// middle of the re-rack's pause, with a menu open, and from a dialog or a message box
// (both ended the same way), without a word to the dialog's procedure (Options saves
// nothing).
using QuitSignal = DesktopTest;
static std::vector<int> Heard;

TEST_F(QuitSignal, CutsAPauseShort) {
  std::raise(SIGHUP);
  const auto start = std::chrono::steady_clock::now();
  platform.Sleep(1500);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}

TEST_F(QuitSignal, ClosesAnOpenMenu) {
  QMenu& menu = *window.menuBar()->actions()[0]->menu();
  menu.popup(QPoint());
  QTimer::singleShot(5000, &menu, [&menu] { ADD_FAILURE() << "the menu stayed open"; menu.close(); });
  std::raise(SIGINT);
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}

TEST_F(QuitSignal, EndsADialogUnheardByItsProcedure) {
  WhenShown<DialogWindow>([](DialogWindow& dialog) {
    QTimer::singleShot(5000, &dialog, [&dialog] { ADD_FAILURE() << "the dialog stayed open"; dialog.done(0); });
    std::raise(SIGTERM);
  });
  platform.DialogBox(OptionsDialog(), [](DialogContext&, int message, std::intptr_t, std::intptr_t) {
    Heard.push_back(message);
    return std::intptr_t{1};
  });
  EXPECT_EQ(Heard, std::vector<int>{WM_INITDIALOG});
  EXPECT_EQ(Taken(WM_DESTROY).size(), 1u);
}
