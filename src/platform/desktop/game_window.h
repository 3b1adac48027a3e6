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
  void CheckMenuItem(int id, bool checked);
  void CreateTitleButton(int id, Rect where);
  void DestroyTitleButton(int id);

  // Shows the window the first time a frame of this size is to be seen: as it was left
  // the last time, or on a first start at the largest whole-number scale of the frame
  // that fits in about four fifths of the screen. Afterwards it does nothing.
  void Reveal(QSize frame);
  // Writes the window's size, place and full-screen state down for the next run.
  void RememberGeometry();
  void ToggleFullScreen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  DesktopPlatform& platform_;
  DesktopSettings settings_;
  GameView* view_;
  std::map<int, QAction*> menuItems_;
  bool revealed_ = false;
  bool fullScreen_ = false;
  QRect normalPlace_;  // where the window was before it went full screen
};
