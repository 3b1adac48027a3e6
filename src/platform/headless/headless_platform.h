#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

struct _SDL_Joystick;

// What a script can do with a pad: press A or Start, or the d-pad's left or right.
enum class PadButton { A, Start, Left, Right };

// The window system without a window: for tests and the replay driver. Its clock is
// virtual and moves only when the game waits, so a paced frame takes exactly its 30 ms
// however fast the machine is. Message boxes are recorded and answered at once; dialogs
// and questions are answered from queues. Nothing is taken from the network but by the
// script: WaitForNetwork, or an open dialog that listens to it.
class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(int depth = 32);
  ~HeadlessPlatform() override;

  // A quit signal (see quit_signals.h) comes out as WM_DESTROY, as on the desktop.
  bool PeekMessage(Message& out) override;

  struct Box {
    std::string caption;
    std::string text;
  };
  struct DialogAnswer {
    enum Kind { Ok, Cancel, Browse, Net };  // Net: the dialog takes the next network event
    Kind kind = Cancel;
    std::map<int, std::string> edits;  // Ok: control id -> text typed into it, up to its limit
    std::string path;                  // Browse: the folder picked
    int browseButton = 0;              // Browse: the button that opens the chooser
  };

  void MessageBox(const char* text, const char* caption) override;
  // Dialogs with edit boxes take their answers from `dialogAnswers` in order; the others
  // are closed with OK. None left: a dialog that listens to the network takes its events
  // as they come, and Cancel when none comes within NetWaitSeconds; any other, Cancel.
  int DialogBox(const DialogTemplate& dialog, DialogProc proc) override;
  // From `questionAnswers` in order; No when none is left.
  bool AskYesNo(const char* text, const char* caption) override;
  std::string TrustedFingerprint(const std::string& server) override { return trusted[server]; }
  void TrustFingerprint(const std::string& server, const std::string& fingerprint) override {
    trusted[server] = fingerprint;
  }
  void WakeForNetwork() override;
  void ForgetNetworkWakes() override;
  // Waits at most `seconds` of real time for a network event that nobody has taken yet;
  // true, and it counts as taken, when one came.
  bool WaitForNetwork(double seconds);
  void CheckMenuItem(int id, bool checked) override;
  void CreateTitleButton(int id, Rect where) override;
  void DestroyTitleButton(int id) override;
  void WindowCorner(int& x, int& y) override;
  std::uint32_t TickCount() override { return ticks; }
  void Sleep(std::uint32_t ms) override { ticks += ms; }
  std::int64_t WallSeconds() override { return timeBase + ticks / 1000; }
  int ScreenDepth() override { return depth_; }
  void Present(const FrameView& frame) override;

  void Press(ArrowKey key) { KeyDown(key); }
  void Release(ArrowKey key) { KeyUp(key); }
  // A press and release that both happen before the next query.
  void Tap(ArrowKey key) {
    KeyDown(key);
    KeyUp(key);
  }
  void MoveWindow(int x, int y);

  // Pads 1 and 2: SDL's virtual game controllers, played through the same pad code as
  // real ones and taken at once, as a real pad's event would be. Only these pads play
  // here. False, and nothing changes, for a pad that is not there (or already is, to
  // PlugPad), a stick beyond -32768 to 32767, or an SDL without game controllers.
  bool PlugPad(int pad);
  bool UnplugPad(int pad);
  bool SetPadButton(int pad, PadButton button, bool down);
  bool SetPadStick(int pad, int x);

  std::atomic<std::uint32_t> ticks{0};  // read by the music thread for its seed
  std::int64_t timeBase = 0;
  std::vector<Box> messageBoxes;
  std::vector<std::string> dialogsOpened;
  std::deque<DialogAnswer> dialogAnswers;
  std::deque<bool> questionAnswers;
  std::map<std::string, std::string> trusted;  // server -> fingerprint
  static constexpr double NetWaitSeconds = 10;
  std::map<int, bool> menuChecks;
  std::map<int, Rect> titleButtons;
  int framesPresented = 0;
  int netEventsTaken = 0;  // WM_NETEVENTs the game has taken off its queue
  // The last presented frame, top row first, `lastFrameView.pitch` bytes a row.
  std::vector<std::uint8_t> lastFrame;
  FrameView lastFrameView{};

  // Called as things happen, for the replay driver's trace.
  std::function<void(const Box&)> onMessageBox;
  std::function<void(const Box&)> onQuestion;
  std::function<void(const char* name)> onDialog;
  std::function<void(const std::string& text)> onDialogText;

 private:
  _SDL_Joystick** VirtualPad(int pad);

  std::mutex netLock_;
  std::condition_variable netWoken_;
  long long netWakes_ = 0, netTaken_ = 0;
  int depth_;
  int windowX_ = 0, windowY_ = 0;
  _SDL_Joystick* virtualPads_[2] = {};
};
