#pragma once
#include <vector>

// What a dialog shows: its caption, its size and its controls, each with an id, a place
// and a text. The window system builds a real window from it; the procedure that runs
// it reads and writes the controls' texts by id.

// Every dialog's OK and Cancel carry these ids: the window system sends them for Enter,
// and for Escape or the close box.
enum DialogButton : int {
  IdOk = 1,
  IdCancel = 2,
};

struct DialogControl {
  enum Kind { DefaultButton, Button, GroupBox, Static, Label, Edit };
  Kind kind;
  int id;            // -1 for texts nobody reads back
  int x, y, w, h;    // dialog units
  const char* text;
  bool password = false;  // an edit that shows dots instead of what is typed
};

struct DialogTemplate {
  const char* name;     // matched without regard to case
  const char* caption;
  int width, height;    // dialog units
  std::vector<DialogControl> controls;
  // Its procedure hears of the Internet game's connection (WM_NETEVENT) while it is open.
  bool listensToNetwork = false;
};
