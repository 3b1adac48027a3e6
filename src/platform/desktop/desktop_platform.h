#pragma once
#include <memory>

#include "platform/platform.h"

class DialogWindow;
class GameWindow;
class QuitSignalNotifier;

// The game on a desktop: one Qt window with the menu bar and the picture. Qt's events
// become messages in the game's own queue, taken one at a time by PeekMessage. The
// window shows itself with the first frame, at the size that frame calls for.
class DesktopPlatform : public Platform {
 public:
  DesktopPlatform();
  ~DesktopPlatform() override;

  // While a menu of the menu bar is open, waits for it to close: the game stands still
  // as it does under a dialog.
  bool PeekMessage(Message& out) override;
  void MessageBox(const char* text, const char* caption) override;
  int DialogBox(const DialogTemplate& dialog, DialogProc proc) override;
  bool AskYesNo(const char* text, const char* caption) override;
  std::string TrustedFingerprint(const std::string& server) override;
  void TrustFingerprint(const std::string& server, const std::string& fingerprint) override;
  // Turns into a call of DeliverNetworkWake on the window's thread.
  void WakeForNetwork() override;
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
  friend class GameWindow;  // turns the window's events into key states and moves

  // A drag moves the window many times a frame, and the game only ever needs its latest
  // place: at most one WM_MOVE waits in the queue.
  void PostMove();
  // The two arrows are let go: a menu, a dialog or another window has the keyboard now
  // and the release would never reach the game.
  void ReleaseArrows();
  // A network event waits: the open dialog that listens takes it, else the game's queue.
  void DeliverNetworkWake();

  std::unique_ptr<GameWindow> window_;
  std::unique_ptr<QuitSignalNotifier> quitSignals_;
  bool movePending_ = false;
  DialogWindow* listening_ = nullptr;  // the open dialog that listens to the network
};
