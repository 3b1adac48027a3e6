#pragma once
#include <map>
#include <memory>

#include <SDL.h>

class Platform;

// The game controllers, played as the keyboard is: the d-pad and the left stick hold the
// arrow keys, A and Start type Enter. Every pad feeds the same two arrows and the same
// Enter, so whoever holds a pad plays the turn on screen. Shared by both platforms:
// Platform opens and polls them, and nothing above the platform sees them.
class Pads {
 public:
  // Null when SDL's game controller subsystem will not start.
  static std::unique_ptr<Pads> Open(Platform& platform, bool virtualOnly);
  ~Pads();
  Pads(const Pads&) = delete;
  Pads& operator=(const Pads&) = delete;

  // Takes SDL's events since the last call; see Platform::PollPads.
  void Poll(bool live);

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    bool dpadLeft = false, dpadRight = false;
    int stickX = 0;
    unsigned ignored = 0;  // arrows held while the game was not listening

    unsigned Arrows() const;  // the arrows this pad holds, one bit each
  };

  Pads(Platform& platform, bool virtualOnly) : platform_(platform), virtualOnly_(virtualOnly) {}
  void Take(const SDL_Event& event, bool live);
  void Plug(int deviceIndex);
  void Unplug(SDL_JoystickID id);
  void Button(Pad& pad, int button, bool down, bool live);
  void UpdateArrows(bool live);

  Platform& platform_;
  bool virtualOnly_;
  std::map<SDL_JoystickID, Pad> pads_;
  unsigned held_ = 0;  // arrows the pads hold in the game, one bit each
};
