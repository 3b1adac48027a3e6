#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/headless/headless_platform.h"

// While a menu or dialog has the player the pads do nothing, and what was pressed then
// counts only once it is let go and pressed anew.
TEST(Pads, WhatIsPressedWhileTheGameIsNotListeningIsDropped) {
  HeadlessPlatform platform;
  ASSERT_TRUE(platform.PlugPad(1));
  int index = 0;
  while (index < SDL_NumJoysticks() && !SDL_JoystickIsVirtual(index)) ++index;
  SDL_Joystick* pad = SDL_JoystickOpen(index);  // the same virtual pad, changed unseen
  ASSERT_NE(pad, nullptr);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
  platform.PollPads(false);
  platform.PollPads(true);
  Message message;
  EXPECT_FALSE(platform.PeekMessage(message));
  EXPECT_FALSE(platform.AsyncKeyState(ArrowKey::Left));

  platform.SetPadButton(1, PadButton::A, false);
  platform.SetPadButton(1, PadButton::Left, false);
  platform.SetPadButton(1, PadButton::Left, true);
  EXPECT_TRUE(platform.AsyncKeyState(ArrowKey::Left));
  platform.SetPadButton(1, PadButton::A, true);
  ASSERT_TRUE(platform.PeekMessage(message));
  EXPECT_EQ(message.message, WM_CHAR);
  EXPECT_EQ(message.wParam, 13);
  SDL_JoystickClose(pad);
}
