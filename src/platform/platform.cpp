#include "platform/platform.h"

Platform* MainWindow = nullptr;

bool Platform::PeekMessage(Message& out) {
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void Platform::PostMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
  queue_.push_back(Message{message, wParam, lParam});
}

bool Platform::AsyncKeyState(ArrowKey key) {
  KeyState& k = keys_[static_cast<int>(key)];
  bool pressed = k.down || k.pressedSinceQuery;
  k.pressedSinceQuery = false;
  return pressed;
}

void Platform::KeyDown(ArrowKey key) {
  KeyState& k = keys_[static_cast<int>(key)];
  k.down = true;
  k.pressedSinceQuery = true;
}

void Platform::KeyUp(ArrowKey key) { keys_[static_cast<int>(key)].down = false; }

void WaitForFrameEnd(std::uint32_t t0, std::uint32_t frameMs) {
  for (;;) {
    std::uint32_t elapsed = MainWindow->TickCount() - t0;
    if (elapsed >= frameMs) return;
    MainWindow->Sleep(frameMs - elapsed);
  }
}
