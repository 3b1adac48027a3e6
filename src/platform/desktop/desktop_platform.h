#pragma once
#include <memory>

#include "platform/platform.h"

class GameWindow;
class QuitSignalNotifier;

// The game on a desktop: one Qt window with the menu bar and the picture. Building it
// opens the window; Qt's events become messages in the game's own queue, taken one at a
// time by PeekMessage.
class DesktopPlatform : public Platform {
 public:
  DesktopPlatform();
  ~DesktopPlatform() override;

  bool PeekMessage(Message& out) override;
  void MessageBox(const char* text, const char* caption) override;
  int DialogBox(const DialogTemplate& dialog, DialogProc proc) override;
  void CheckMenuItem(int id, bool checked) override;
  void CreateTitleButton(int id, Rect where) override;
  void DestroyTitleButton(int id) override;
  void WindowCorner(int& x, int& y) override;
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t ms) override;
  std::int64_t WallSeconds() override;
  int ScreenDepth() override { return 32; }
  void Present(const FrameView& frame) override;

  GameWindow& Window() { return *window_; }

 private:
  friend class GameWindow;  // turns the arrow keys' events into key states

  std::unique_ptr<GameWindow> window_;
  std::unique_ptr<QuitSignalNotifier> quitSignals_;
};
