#include "platform/pads.h"

#include "platform/platform.h"
#include "platform/sdl_init.h"

namespace {

// About a quarter of the stick's travel: a stick at rest, worn or not, reads well inside
// it, and a push meant as a move goes well past it.
constexpr int StickDeadZone = 8000;

constexpr unsigned Bit(ArrowKey key) { return 1u << static_cast<int>(key); }

}  // namespace

std::unique_ptr<Pads> Pads::Open(Platform& platform, bool virtualOnly) {
  // The game's window belongs to Qt, so SDL never sees it focused; without this hint SDL
  // would drop the pads' events as meant for some other program.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (!InitSdlSubSystem(SDL_INIT_GAMECONTROLLER)) return nullptr;
  // SDL announces the pads already plugged in as added, so they come in with the first poll.
  return std::unique_ptr<Pads>(new Pads(platform, virtualOnly));
}

Pads::~Pads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Pads::Poll(bool live) {
  UpdateArrows(live);  // a menu opened with the d-pad held lets the arrow go at once
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    Take(event, live);
    UpdateArrows(live);
  }
}

void Pads::Take(const SDL_Event& event, bool live) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) Plug(event.cdevice.which);
  else if (event.type == SDL_CONTROLLERDEVICEREMOVED) Unplug(event.cdevice.which);
  if (event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP) {
    auto pad = pads_.find(event.cbutton.which);
    if (pad != pads_.end())
      Button(pad->second, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN, live);
  }
  if (event.type == SDL_CONTROLLERAXISMOTION && event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
    auto pad = pads_.find(event.caxis.which);
    if (pad != pads_.end()) pad->second.stickX = event.caxis.value;
  }
}

void Pads::Plug(int deviceIndex) {
  if (virtualOnly_ && !SDL_JoystickIsVirtual(deviceIndex)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) return;
  SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  // SDL counts opens; a pad announced twice is closed once more here and kept once.
  if (!pads_.emplace(id, Pad{controller}).second) SDL_GameControllerClose(controller);
}

void Pads::Unplug(SDL_JoystickID id) {
  auto pad = pads_.find(id);
  if (pad == pads_.end()) return;
  SDL_GameControllerClose(pad->second.controller);
  pads_.erase(pad);
}

unsigned Pads::Pad::Arrows() const {
  unsigned arrows = 0;
  if (dpadLeft || stickX < -StickDeadZone) arrows |= Bit(ArrowKey::Left);
  if (dpadRight || stickX > StickDeadZone) arrows |= Bit(ArrowKey::Right);
  return arrows;
}

void Pads::Button(Pad& pad, int button, bool down, bool live) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_START:
      // SDL reports a change only, so a button held down types one Enter.
      if (down && live) platform_.PostMessage(WM_CHAR, EnterChar);
      break;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: pad.dpadLeft = down; break;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: pad.dpadRight = down; break;
    default: break;
  }
}

// Runs after every event, so that a press and a release that come in the same poll still
// count as a press, as a tapped key does.
void Pads::UpdateArrows(bool live) {
  unsigned held = 0;
  for (auto& [id, pad] : pads_) {
    const unsigned arrows = pad.Arrows();
    // Held while the game is not listening: not the game's until let go and pressed anew.
    pad.ignored = live ? pad.ignored & arrows : arrows;
    held |= arrows & ~pad.ignored;
  }
  for (ArrowKey key : {ArrowKey::Left, ArrowKey::Right}) {
    bool now = held & Bit(key), before = held_ & Bit(key);
    if (now && !before) platform_.KeyDown(key, Platform::FromPads);
    if (!now && before) platform_.KeyUp(key, Platform::FromPads);
  }
  held_ = held;
}
