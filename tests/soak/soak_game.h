#pragma once
#include <cstdint>
#include <string>

// One soak game: tumbra-replay started in a fresh folder, a single-player or VS game
// begun from the title screen and played to its end by a seeded random player (Enter
// at random moments, arrow taps and holds, now and then a new game, the Options dialog
// cancelled, a menu toggle or an information dialog), with the game's rules checked
// after every pass. The lines sent are kept in the folder as game.replay, a script that
// plays the same game again.
struct SoakResult {
  std::string failure;  // empty when every check held
  int passes = 0;       // passes run in the whole script
  int gameFrames = 0;   // frames from the last new game to the game-over screen
  int mode = 0;         // of that last game: 1 single player, 2 VS
};

// The most frames a game may take from its new game to the game-over screen. A throw
// takes at most 11 frames of waiting after a re-rack, 5 in the ready state (this player
// presses Enter within 4 passes), 69 of aiming (the computer's arrow reaches any offset
// within 25 frames and its meter comes within 3 of any power within one 44-frame cycle;
// this player releases within 31), 51 of flight (a flight ends within two frames of its
// time of at most 48.9 frames) and 37 of outcome (the longest, a ball over the table).
// This player aims every other throw or more at the middle of a standing cup, which
// always drops in, so a rack is emptied by its 30th throw and a game has at most 60;
// and the few menu commands each take a pass of their own.
constexpr int MaxFramesPerThrow = 11 + 5 + 69 + 51 + 37;
constexpr int MaxThrowsPerGame = 60;
constexpr int MaxCommandPasses = 5;
constexpr int GameFrameBound = MaxThrowsPerGame * MaxFramesPerThrow + MaxCommandPasses;

SoakResult PlaySoakGame(const std::string& replayProgram, const std::string& folder, std::uint64_t seed);
