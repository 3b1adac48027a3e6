#pragma once
#include <cstdint>
#include <string>

#include "platform/dialog.h"

// The Internet game's connection to its server, from the log-on in the Internet Game
// dialog to the end of the game, and the player's way out of it.

// New Internet Game: checks the settings, then asks whom to play in the Internet Game
// dialog and waits there for the server to pair the player. True when paired: the new
// game is then the caller's to start (NewInternetGame).
bool OpenInternetGame();
std::intptr_t InternetDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t lParam);

// WM_NETEVENT, to the dialog or to the main window alike: takes one event from the
// connection and acts on it by where the game stands.
void TakeNetworkEvent();

// Before a new game or Exit: an Internet game still being played is left only when the
// player agrees, and then at once (he loses it). False when he would rather stay.
bool LeaveForSomethingElse();
// Closing the window, a quit signal, the end of the program: leaves without asking.
void LeaveInternetGame();

// The key the certificate trusted for the server setting is kept under: the setting as
// the player would write it again; empty when the setting is not a server.
std::string TrustKey();

// For the replay driver: how long the connection tries to come back after a drop, from
// the next log-on on; and a drop as a failing network makes one.
extern int NetResumeSeconds;
void DropConnection();
