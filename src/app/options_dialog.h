#pragma once
#include <cstdint>

#include "platform/dialog.h"

// Shows and edits the four settings. Opening it stops the music; OK saves, Cancel keeps
// the old values; either way the music comes back if "Music On" is checked.
std::intptr_t OptionsDialogProc(DialogContext& dialog, int message, std::intptr_t wParam,
                                std::intptr_t lParam);
