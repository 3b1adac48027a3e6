#pragma once
#include <cstdint>

// The window messages the game handles, numbered as the system it was first written for
// numbered them, so that traces and test scripts read the same everywhere.
enum : int {
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_QUIT = 0x0012,
  WM_CHAR = 0x0102,
  WM_INITDIALOG = 0x0110,
  WM_COMMAND = 0x0111,
  // The game's own: the Internet game's connection has an event for the game to take.
  WM_NETEVENT = 0x0401,
};

// The character a WM_CHAR carries for the Enter key.
constexpr int EnterChar = 13;

struct Message {
  int message = 0;
  std::intptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// The low word of a WM_COMMAND's wParam: the control or menu id.
inline int LowWord(std::intptr_t w) { return static_cast<int>(w & 0xFFFF); }
