#include "platform/desktop/game_window.h"

#include <algorithm>

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/game_view.h"
#include "platform/desktop/main_menu_bar.h"
#include "platform/desktop/window_icon.h"

namespace {

bool IsArrow(int key, ArrowKey& arrow) {
  if (key == Qt::Key_Left) arrow = ArrowKey::Left;
  else if (key == Qt::Key_Right) arrow = ArrowKey::Right;
  else return false;
  return true;
}

}  // namespace

GameWindow::GameWindow(DesktopPlatform& platform)
    : platform_(platform),
      view_(new GameView([this](int id) { platform_.PostMessage(WM_COMMAND, id); }, this)) {
  setWindowTitle(QStringLiteral("Tumbra by Qervo Software"));
  setWindowIcon(WindowIcon());
  setCentralWidget(view_);
  view_->setMinimumSize(190, 140);
  menuItems_ = BuildMainMenu(*menuBar(), [this](int id) { platform_.PostMessage(WM_COMMAND, id); });
  auto* fullScreen = new QAction(this);
  fullScreen->setShortcuts({QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
                            QKeySequence(Qt::ALT | Qt::Key_Enter)});
  connect(fullScreen, &QAction::triggered, this, &GameWindow::ToggleFullScreen);
  addAction(fullScreen);
  setFocusPolicy(Qt::StrongFocus);
  // A switch turned off in an earlier run is turned off again as if from the menu, so
  // the game's flag, the check mark and the music all follow.
  for (const auto& [id, item] : menuItems_)
    if (DesktopSettings::IsSwitch(id) && !settings_.SwitchOn(id)) platform_.PostMessage(WM_COMMAND, id);
}

void GameWindow::CheckMenuItem(int id, bool checked) {
  auto item = menuItems_.find(id);
  if (item == menuItems_.end()) return;
  if (checked) item->second->setCheckable(true);
  item->second->setChecked(checked);
  if (DesktopSettings::IsSwitch(id)) settings_.SetSwitch(id, checked);
}

void GameWindow::CreateTitleButton(int id, Rect where) { view_->AddTitleZone(id, where); }

void GameWindow::DestroyTitleButton(int id) { view_->RemoveTitleZone(id); }

void GameWindow::Reveal(QSize frame) {
  if (revealed_) return;
  revealed_ = true;
  const QRect remembered = settings_.WindowPlace();
  if (remembered.isValid() && screen()->availableVirtualGeometry().intersects(remembered)) {
    setGeometry(remembered);
  } else {
    const QRect screen = this->screen()->availableGeometry();
    const int bar = menuBar()->sizeHint().height();
    const int scale = std::max(1, std::min(screen.width() * 4 / 5 / frame.width(),
                                           (screen.height() * 4 / 5 - bar) / frame.height()));
    resize(frame.width() * scale, frame.height() * scale + bar);
    move(screen.center() - rect().center());
  }
  show();
  if (settings_.FullScreen()) ToggleFullScreen();
}

void GameWindow::RememberGeometry() {
  if (revealed_) settings_.SetWindow(fullScreen_ ? normalPlace_ : geometry(), fullScreen_);
}

// Without a window manager (a bare X server, a kiosk) nobody else resizes a window that
// goes full screen and back, and Qt cannot tell its state: the window keeps both itself.
void GameWindow::ToggleFullScreen() {
  fullScreen_ = !fullScreen_;
  if (fullScreen_) {
    normalPlace_ = geometry();
    setWindowState(windowState() | Qt::WindowFullScreen);
    setGeometry(screen()->geometry());
  } else {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setGeometry(normalPlace_);
  }
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
  ArrowKey arrow;
  if (IsArrow(event->key(), arrow)) {
    if (!event->isAutoRepeat()) platform_.KeyDown(arrow);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Only a plain Enter is the game's character 13; Alt+Enter is the full-screen key.
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
      platform_.PostMessage(WM_CHAR, EnterChar);
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
  platform_.PostMove();
  QMainWindow::moveEvent(event);
}

// A key let go while another window had the keyboard never reaches us; without this the
// aim arrow would run on by itself after a switch to another program.
void GameWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) platform_.ReleaseArrows();
  QMainWindow::changeEvent(event);
}
