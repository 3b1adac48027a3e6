#pragma once
#include <string>

// The parts of a replay `state` line that the soak steers by and checks.
struct RackView {
  std::string name;
  std::string cups;  // 15 characters, cup 0 first: '1' standing, '0' gone
  int hit = -1;
  int level = -1;
};

struct GameView {
  int mode = -1;
  int play = -1;
  std::string handler;  // "title", "human", "computer", "versus"
  std::string current;  // "red" or "blue"
  std::string end;
  int result = 0;
  long long ticks = 0;
  RackView red, blue;

  const RackView& Current() const { return current == "blue" ? blue : red; }
  // Whether the arrow keys and the second Enter belong to a person now.
  bool HumanThrows() const { return handler == "human" || handler == "versus"; }
};

// False when the line is not a state line with a JSON object.
bool ParseStateLine(const std::string& line, GameView& view);

// Empty when the state keeps every rule that holds after any pass of a game of this
// mode (1 single player, 2 VS); else the first rule broken.
std::string BrokenRule(const GameView& view, int mode);

// Empty when a game-over state names the right side as the winner.
std::string WrongEnd(const GameView& view, int mode);
