#pragma once
#include <map>

#include <QMainWindow>

#include "platform/desktop/desktop_settings.h"
#include "platform/platform.h"

class DesktopPlatform;
class GameView;
class QAction;

// The game's one window: the menu bar over the picture, which grows and shrinks with the
// window. Whatever the player does to it becomes a message in the game's queue or an
// arrow key state.
class GameWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit GameWindow(DesktopPlatform& platform);

  GameView& View() { return *view_; }
  DesktopSettings& Settings() { return settings_; }
  void CheckMenuItem(int id, bool checked);
  void CreateTitleButton(int id, Rect where);
  void DestroyTitleButton(int id);

  // Shows the window the first time a frame of this size is to be seen: as it was left
  // the last time, or on a first start at the largest whole-number scale of the frame
  // that fits in about four fifths of the screen. Either way it fits the screen's free
  // area, frame and all, smaller than 1:1 when it must. Afterwards it does nothing.
  void Reveal(QSize frame);
  // Writes the window's size and place, and whether it is maximised or full screen, down
  // for the next run.
  void RememberGeometry();
  void ToggleFullScreen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  DesktopPlatform& platform_;
  DesktopSettings settings_;
  GameView* view_;
  std::map<int, QAction*> menuItems_;
  bool revealed_ = false;
  bool fullScreen_ = false;
  bool unframed_ = false;  // shown, and the window manager's frame not seen yet
  bool framed_ = false;    // a window manager's frame has been seen: it looks after full screen
  // Where the window is, or goes back to, when neither maximised nor full screen: the
  // top-left corner of its frame and the size of its inside.
  QRect normalPlace_;

  void KeepNormalPlace();
  void MoveTo(const QRect& place);
};
