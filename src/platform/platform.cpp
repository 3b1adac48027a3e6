#include "platform/platform.h"

#include "platform/pads.h"

Platform* MainWindow = nullptr;

Platform::Platform() = default;
Platform::~Platform() = default;

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
  bool pressed = k.heldBy != 0 || k.pressedSinceQuery;
  k.pressedSinceQuery = false;
  return pressed;
}

void Platform::KeyDown(ArrowKey key, KeySource from) {
  KeyState& k = keys_[static_cast<int>(key)];
  k.heldBy |= from;
  k.pressedSinceQuery = true;
}

void Platform::KeyUp(ArrowKey key, KeySource from) { keys_[static_cast<int>(key)].heldBy &= ~from; }

void Platform::OpenPads(bool virtualOnly) {
  if (!pads_) pads_ = Pads::Open(*this, virtualOnly);
}

void Platform::PollPads(bool live) {
  if (pads_) pads_->Poll(live);
}

void WaitForFrameEnd(std::uint32_t t0, std::uint32_t frameMs) {
  for (;;) {
    std::uint32_t elapsed = MainWindow->TickCount() - t0;
    if (elapsed >= frameMs) return;
    MainWindow->Sleep(frameMs - elapsed);
  }
}
