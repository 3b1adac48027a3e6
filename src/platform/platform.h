#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "platform/dialog.h"
#include "platform/messages.h"

// The one seam between the game and the window system. The game takes messages from
// the window's queue one at a time, asks for message boxes and dialogs, polls the two
// arrow keys, reads the clock and hands finished frames over to be shown. Two
// implementations exist: the desktop window (desktop/), and a headless one with a
// virtual clock for tests and the replay driver (headless/). What both share sits
// beside this interface: the pads, the quit signals and SDL's start-up.

enum class ArrowKey { Left, Right };

class Pads;

// A finished frame, as the display composed it.
struct FrameView {
  const void* pixels;
  int width, height;
  int pitch;   // bytes from one row to the next
  int depth;   // 16 (RGB565) or 32 (XRGB8888)
};

struct Rect {
  int x, y, w, h;
};

class Platform {
 public:
  Platform();  // out of line, where the pads are a whole type
  virtual ~Platform();

  // Takes at most one message off the queue; false when there is none. Never blocks.
  virtual bool PeekMessage(Message& out);
  void PostMessage(int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
  void PostQuitMessage(int exitCode) { PostMessage(WM_QUIT, exitCode); }

  // An OK-only modal message box owned by the main window.
  virtual void MessageBox(const char* text, const char* caption) = 0;
  // Runs a modal dialog owned by the main window; returns what the procedure passed to
  // EndDialog.
  virtual int DialogBox(const DialogTemplate& dialog, DialogProc proc) = 0;
  // A modal Yes/No question owned by the main window, No the default; true for Yes.
  virtual bool AskYesNo(const char* text, const char* caption) = 0;

  // The certificate fingerprint the player trusted for a server ("host" or "host:port"),
  // empty for none; and remembering one. Kept beside the window's own settings, never in
  // config.ini.
  virtual std::string TrustedFingerprint(const std::string& server) = 0;
  virtual void TrustFingerprint(const std::string& server, const std::string& fingerprint) = 0;

  // Called on the network's thread each time the connection queues an event: on the
  // game's thread a WM_NETEVENT follows, into the queue or to an open dialog that
  // listens to the network. Safe from any thread.
  virtual void WakeForNetwork() = 0;
  // The connection is gone: wakes for events it queued and nobody took are forgotten.
  virtual void ForgetNetworkWakes() {}

  virtual void CheckMenuItem(int id, bool checked) = 0;
  // The title screen's click zones; a click posts WM_COMMAND with the id.
  virtual void CreateTitleButton(int id, Rect where) = 0;
  virtual void DestroyTitleButton(int id) = 0;
  // The main window's outer top-left corner in screen coordinates.
  virtual void WindowCorner(int& x, int& y) = 0;

  // Down now, or pressed and released again since the last query of that key. A pad's
  // d-pad or left stick counts as the key, held while any pad holds it.
  bool AsyncKeyState(ArrowKey key);

  // Lets every game controller plugged in, now or later, play the turn: the d-pad and
  // the left stick as the arrow keys, A and Start as Enter. `virtualOnly` takes only
  // SDL's virtual pads, so that a real one on the machine cannot stray into a scripted
  // game. Where SDL has no game controllers the keyboard plays alone, and nothing is said.
  void OpenPads(bool virtualOnly = false);
  // Takes what the pads did since the last call, in order, as the keyboard's events are
  // taken. While a menu or dialog has the player (`live` false) the pads' events change
  // nothing in the game, and what is held then counts only once let go and pressed anew.
  void PollPads(bool live);

  virtual std::uint32_t TickCount() = 0;   // milliseconds, wraps
  virtual void Sleep(std::uint32_t ms) = 0;
  virtual std::int64_t WallSeconds() = 0;   // seconds since 1970, for seeding

  // Bits per pixel of the screen the frames are made for: 16 or 32.
  virtual int ScreenDepth() = 0;
  virtual void Present(const FrameView& frame) = 0;

 protected:
  // Who holds an arrow: the keyboard and the pads each hold and let go on their own.
  enum KeySource : unsigned { FromKeyboard = 1, FromPads = 2 };
  void KeyDown(ArrowKey key, KeySource from = FromKeyboard);
  void KeyUp(ArrowKey key, KeySource from = FromKeyboard);

 private:
  friend class Pads;

  struct KeyState {
    unsigned heldBy = 0;  // KeySource bits
    bool pressedSinceQuery = false;
  };
  KeyState keys_[2];
  std::deque<Message> queue_;
  std::unique_ptr<Pads> pads_;
};

// The main window: owner of every message box and dialog. Null until the window exists.
extern Platform* MainWindow;

// Waits until at least frameMs have passed since t0 by the tick count, as an unsigned
// difference so that a wrap of the count cannot stall the game. It sleeps instead of
// spinning: a casual game has no business keeping a core busy, and the sleep is exact
// to well under a millisecond.
void WaitForFrameEnd(std::uint32_t t0, std::uint32_t frameMs);
