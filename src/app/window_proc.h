#pragma once
#include <cstdint>

#include "platform/dialog.h"

// Mirrors the check mark of "Music On".
extern unsigned char MusicOn;

// The main window's messages: menu commands and title buttons, the Enter key, moves and
// closing. Returns 0 for every message it handles.
std::intptr_t MainWindowProc(int message, std::intptr_t wParam, std::intptr_t lParam);

// The information boxes' procedure: OK, Escape and the close box all close them.
std::intptr_t InfoDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t lParam);
