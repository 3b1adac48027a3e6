#include <SDL.h>

#include "platform/headless/headless_platform.h"

namespace {

constexpr SDL_GameControllerButton SdlButtons[] = {
    SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

int DeviceIndex(SDL_Joystick* joystick) {
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
  return -1;
}

}  // namespace

HeadlessPlatform::~HeadlessPlatform() {
  UnplugPad(1);
  UnplugPad(2);
}

SDL_Joystick** HeadlessPlatform::VirtualPad(int pad) {
  return pad == 1 || pad == 2 ? &virtualPads_[pad - 1] : nullptr;
}

bool HeadlessPlatform::PlugPad(int pad) {
  SDL_Joystick** slot = VirtualPad(pad);
  if (!slot || *slot) return false;
  OpenPads(true);
  // A full set of buttons and axes, so that SDL numbers them as the game controller does.
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.name = pad == 1 ? "Script pad 1" : "Script pad 2";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return false;
  *slot = SDL_JoystickOpen(index);
  if (!*slot) {
    SDL_JoystickDetachVirtual(index);
    return false;
  }
  PollPads(true);
  return true;
}

bool HeadlessPlatform::UnplugPad(int pad) {
  SDL_Joystick** slot = VirtualPad(pad);
  if (!slot || !*slot) return false;
  const int index = DeviceIndex(*slot);
  SDL_JoystickClose(*slot);
  *slot = nullptr;
  SDL_JoystickDetachVirtual(index);
  PollPads(true);
  return true;
}

bool HeadlessPlatform::SetPadButton(int pad, PadButton button, bool down) {
  SDL_Joystick** slot = VirtualPad(pad);
  if (!slot || !*slot) return false;
  SDL_JoystickSetVirtualButton(*slot, SdlButtons[static_cast<int>(button)], down ? 1 : 0);
  PollPads(true);
  return true;
}

bool HeadlessPlatform::SetPadStick(int pad, int x) {
  SDL_Joystick** slot = VirtualPad(pad);
  if (!slot || !*slot || x < -32768 || x > 32767) return false;
  SDL_JoystickSetVirtualAxis(*slot, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
  PollPads(true);
  return true;
}
