#pragma once
#include <cstdint>

class Sprite;

// One turn handler: what it keeps between its frames, and where it differs from the
// others. The human's, the computer's and the VS handler each have one.
struct TurnRecord {
  int wait = 0;          // frames waited in TurnStart after a re-rack
  int throwResult = 0;   // cup index, or Miss, RimHit, Over
  int outcomeFrames = 0;
  int overFrames = 0;
  void (*handOver)();    // gives the turn to the other side
  Sprite* readyBanner;   // shown while the turn waits for Enter
  void (*aimStart)();    // before the first aiming frame; may be null
  void (*aiming)();      // one aiming frame
  void (*launch)();      // sends the ball off
  void (*winCheck)();    // after the outcome: ends the game when a rack is empty
  const char* (*endLine)();  // the line under the game-over banner
};

// One frame of a turn: the work of the current state, the scene, then the wait to the
// end of the frame.
int RunTurnFrame(TurnRecord& turn);

// A game frame lasts at least this long; the game's whole sense of time is counted in
// frames.
constexpr std::uint32_t FrameMs = 30;

// Pieces the handlers plug in.

// The scene while aiming: arrow, meter, panel and rack.
void DrawAimingScene();
// A human aims: the arrow keys slide the arrow while the meter runs.
void KeyboardAimingState();
// Wobbles copies of power and aim by the thrower's drink and sends the ball off; the
// frame goes on as a Flight frame.
void LaunchState(int power, int aim);
// A human throws with the meter's value and the arrow's offset as they stand.
void LaunchFromControls();
// The single-player end line, composed anew from the two racks.
const char* SinglePlayerEndLine(char* buffer, int size);

// The end-of-game lines: "You are victorious!  %s wins!" is the longest at 46 characters.
constexpr int EndMessageSize = 48;
