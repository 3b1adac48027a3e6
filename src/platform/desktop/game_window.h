#pragma once
#include <map>

#include <QMainWindow>

#include "platform/platform.h"

class DesktopPlatform;
class GameView;
class QAction;
class TitleButton;

// The game's one window: the menu bar over a fixed 760 x 560 picture. Whatever the
// player does to it becomes a message in the game's queue or an arrow key state.
class GameWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit GameWindow(DesktopPlatform& platform);

  GameView& View() { return *view_; }
  void CheckMenuItem(int id, bool checked);
  void CreateTitleButton(int id, Rect where);
  void DestroyTitleButton(int id);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  DesktopPlatform& platform_;
  GameView* view_;
  std::map<int, QAction*> menuItems_;
  std::map<int, TitleButton*> titleButtons_;
};
