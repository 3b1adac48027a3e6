#pragma once
#include <cstdint>
#include <string>

#include "resources/dialog_template.h"

// A dialog is a template (what it shows) plus a procedure (what it does). The window
// system builds the template into a real window and feeds the procedure
// WM_INITDIALOG and WM_COMMAND messages; the procedure reads and writes the controls'
// texts by id through DialogContext.

class DialogContext {
 public:
  virtual ~DialogContext() = default;
  virtual std::string GetItemText(int id) = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  // Lets the player type at most `bytes` bytes of UTF-8 into an edit, never half a
  // character: typing stops at the limit and a paste keeps what fits, so what the field
  // shows is what can be kept.
  virtual void LimitText(int id, int bytes) = 0;
  virtual void EndDialog(int result) = 0;
  // The system's folder chooser, owned by the main window. Empty when nothing was chosen.
  virtual std::string BrowseForFolder(const char* title) = 0;
};

// Returns nonzero when it handled the message.
using DialogProc = std::intptr_t (*)(DialogContext& dialog, int message, std::intptr_t wParam,
                                     std::intptr_t lParam);
