#include "platform/desktop/game_window.h"

#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/game_view.h"
#include "platform/desktop/main_menu_bar.h"
#include "platform/desktop/title_button.h"
#include "platform/desktop/window_icon.h"

namespace {

// A caption with minimise and close boxes only: the picture has one size.
constexpr Qt::WindowFlags WindowStyle = Qt::Window | Qt::CustomizeWindowHint |
                                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowMinimizeButtonHint |
                                        Qt::WindowCloseButtonHint;

constexpr int CharEnter = 13;

bool IsArrow(int key, ArrowKey& arrow) {
  if (key == Qt::Key_Left) arrow = ArrowKey::Left;
  else if (key == Qt::Key_Right) arrow = ArrowKey::Right;
  else return false;
  return true;
}

}  // namespace

GameWindow::GameWindow(DesktopPlatform& platform)
    : QMainWindow(nullptr, WindowStyle), platform_(platform), view_(new GameView(this)) {
  setWindowTitle(QStringLiteral("Tumbra by Qervo Software"));
  setWindowIcon(WindowIcon());
  setCentralWidget(view_);
  menuItems_ = BuildMainMenu(*menuBar(), [this](int id) { platform_.PostMessage(WM_COMMAND, id); });
  ReportMenuBar(*menuBar());
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setFocusPolicy(Qt::StrongFocus);
}

void GameWindow::CheckMenuItem(int id, bool checked) {
  auto item = menuItems_.find(id);
  if (item == menuItems_.end()) return;
  if (checked) item->second->setCheckable(true);
  item->second->setChecked(checked);
}

void GameWindow::CreateTitleButton(int id, Rect where) {
  DestroyTitleButton(id);
  auto* button = new TitleButton(view_, [this, id] { platform_.PostMessage(WM_COMMAND, id); });
  button->setGeometry(where.x, where.y, where.w, where.h);
  button->show();
  titleButtons_[id] = button;
}

void GameWindow::DestroyTitleButton(int id) {
  auto button = titleButtons_.find(id);
  if (button == titleButtons_.end()) return;
  delete button->second;
  titleButtons_.erase(button);
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
  ArrowKey arrow;
  if (IsArrow(event->key(), arrow)) {
    if (!event->isAutoRepeat()) platform_.KeyDown(arrow);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    platform_.PostMessage(WM_CHAR, CharEnter);
    return;
  }
  bool typed = false;
  for (QChar c : event->text()) {
    // The game reads characters as single bytes.
    if (c.unicode() == 0 || c.unicode() > 0xFF) continue;
    platform_.PostMessage(WM_CHAR, c.unicode());
    typed = true;
  }
  if (!typed) QMainWindow::keyPressEvent(event);
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
  ArrowKey arrow;
  if (!IsArrow(event->key(), arrow)) {
    QMainWindow::keyReleaseEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) platform_.KeyUp(arrow);
}

void GameWindow::closeEvent(QCloseEvent* event) {
  platform_.PostMessage(WM_DESTROY);
  event->accept();
}

void GameWindow::moveEvent(QMoveEvent* event) {
  platform_.PostMessage(WM_MOVE);
  QMainWindow::moveEvent(event);
}

// A key let go while another window had the keyboard never reaches us; without this the
// aim arrow would run on by itself after a dialog or a switch to another program.
void GameWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
    platform_.KeyUp(ArrowKey::Left);
    platform_.KeyUp(ArrowKey::Right);
  }
  QMainWindow::changeEvent(event);
}
