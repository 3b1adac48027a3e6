#include "platform/desktop/game_window.h"

#include <algorithm>

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/game_view.h"
#include "platform/desktop/main_menu_bar.h"
#include "platform/desktop/window_icon.h"

namespace {

// A window's place here is the top-left corner of its frame with the size of its inside,
// as Qt moves and resizes a window: where the window manager puts the frame round the
// inside is its own business, and known only once it has done so.

// A first start's place: the largest whole-number scale of the frame that fits in about
// four fifths of the free area, centred; at least 1:1, which FitInside shrinks when
// even that does not fit.
QRect FirstPlace(QSize frame, int bar, const QRect& free) {
  const int scale = std::max(1, std::min(free.width() * 4 / 5 / frame.width(),
                                         (free.height() * 4 / 5 - bar) / frame.height()));
  QRect place(QPoint(), QSize(frame.width() * scale, frame.height() * scale + bar));
  place.moveCenter(free.center());
  return place;
}

// The place made small enough for the window and its frame to fit in the free area, about
// its centre, the picture under the menu bar keeping its shape; then moved wholly into the
// free area: the title bar and the menus must never start off the screen.
QRect FitInside(QRect place, int bar, const QMargins& frame, const QRect& free) {
  const QSize room = free.size().shrunkBy(frame) - QSize(0, bar);
  const QSize picture(place.width(), place.height() - bar);
  if (picture.width() > room.width() || picture.height() > room.height()) {
    const QSize fitted = picture.scaled(room, Qt::KeepAspectRatio);
    const QPoint centre = place.center();
    place.setSize(QSize(fitted.width(), fitted.height() + bar));
    place.moveCenter(centre);
  }
  // On a screen smaller than the smallest window the top-left corner wins.
  const QSize outer = place.size().grownBy(frame);
  place.moveTo(std::max(free.left(), std::min(place.x(), free.right() + 1 - outer.width())),
               std::max(free.top(), std::min(place.y(), free.bottom() + 1 - outer.height())));
  return place;
}

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
  const int bar = menuBar()->sizeHint().height();
  QRect place = settings_.WindowPlace();
  const QScreen* where = place.isValid() ? QGuiApplication::screenAt(place.center()) : nullptr;
  if (!where) {
    where = screen();
    place = FirstPlace(frame, bar, where->availableGeometry());
  }
  normalPlace_ = FitInside(place, bar, {}, where->availableGeometry());
  MoveTo(normalPlace_);
  unframed_ = true;
  if (settings_.Maximized())
    showMaximized();
  else
    show();
  if (settings_.FullScreen()) ToggleFullScreen();
}

void GameWindow::RememberGeometry() {
  if (revealed_) settings_.SetWindow(normalPlace_, isMaximized(), fullScreen_);
}

// Kept whenever the window is moved or resized while neither maximised nor full screen, for
// a window manager frames a maximised window differently.
void GameWindow::KeepNormalPlace() {
  if (revealed_ && windowState() == Qt::WindowNoState && !fullScreen_)
    normalPlace_ = QRect(pos(), size());
}

void GameWindow::MoveTo(const QRect& place) {
  resize(place.size());
  move(place.topLeft());
}

// A window manager makes the window full screen and puts it back where it was. Without
// one (a bare X server, a kiosk) nobody does and the window sizes itself, in one request
// each way: of a move and a resize sent one after the other the server may keep one.
void GameWindow::ToggleFullScreen() {
  fullScreen_ = !fullScreen_;
  setWindowState(fullScreen_ ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
  if (!framed_) setGeometry(fullScreen_ ? screen()->geometry() : normalPlace_);
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

// The window manager frames the window only after it is shown. If the frame then reaches
// beyond the free area, the window is fitted again, the frame counted this time.
void GameWindow::moveEvent(QMoveEvent* event) {
  platform_.PostMove();
  QMainWindow::moveEvent(event);
  KeepNormalPlace();
  const QRect outer = frameGeometry(), inside = geometry();
  framed_ |= outer != inside;
  if (!unframed_ || outer == inside) return;
  unframed_ = false;
  const QMargins frame(inside.left() - outer.left(), inside.top() - outer.top(),
                       outer.right() - inside.right(), outer.bottom() - inside.bottom());
  const QRect place(pos(), size());
  const QRect fitted = FitInside(place, menuBar()->height(), frame, screen()->availableGeometry());
  if (windowState() == Qt::WindowNoState && fitted != place) MoveTo(fitted);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  KeepNormalPlace();
}

// A key let go while another window had the keyboard never reaches us; without this the
// aim arrow would run on by itself after a switch to another program.
void GameWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) platform_.ReleaseArrows();
  QMainWindow::changeEvent(event);
}
