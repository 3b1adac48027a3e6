#pragma once
#include <cstdint>

class CupRack;
class Sprite;

// What a turn keeps from one frame to the next. Every kind of turn keeps its own.
struct TurnProgress {
  int wait = 0;          // frames waited in TurnStart after a re-rack
  int throwResult = 0;   // cup index, or Miss, RimHit, Over
  int outcomeFrames = 0;
  int overFrames = 0;
};

// One kind of turn: where it differs from the others, and its running state. Every
// state a turn walks through is the same for all kinds (turn.cpp); a record only fills
// in the pieces that differ.
struct TurnRecord {
  const char* name;       // as the replay driver's state lines show it
  Sprite* readyBanner;    // shown while the turn waits in Ready
  bool enterStarts;       // Enter on the ready banner starts the aiming
  bool enterThrows;       // Enter while aiming sends the ball off
  void (*aimStart)();     // before the first aiming frame; may be null
  void (*aiming)();       // one aiming frame
  void (*launch)();       // sends the ball off
  void (*handOver)();     // gives the turn to the other side
  void (*winCheck)();     // after the outcome: ends the game when a rack is empty
  const char* (*endLine)();  // the line under the game-over banner
  // Optional pieces, null where a turn has no use for them:
  void (*ready)() = nullptr;         // every Ready frame, after the banner; may start the aiming
  int (*rimBounce)() = nullptr;      // the speed the ball leaves a rim with; else a random one
  const char* (*heldBy)() = nullptr;  // why the game must not move on now; null while it may
  TurnProgress progress{};
};

// One frame of a turn: the work of the current state, the scene, then the wait to the
// end of the frame.
int RunTurnFrame(TurnRecord& turn);

// A game frame lasts at least this long; the game's whole sense of time is counted in
// frames.
constexpr std::uint32_t FrameMs = 30;

// Pieces the records plug in.

// The scene while aiming: arrow, meter, panel and rack.
void DrawAimingScene();
// A human aims: the arrow keys slide the arrow while the meter runs.
void KeyboardAimingState();
// Wobbles copies of power and aim by the thrower's drink and sends the ball off; the
// frame goes on as a Flight frame.
void LaunchState(int power, int aim);
// A human throws with the meter's value and the arrow's offset as they stand.
void LaunchFromControls();
// Ends the game when the throw emptied a rack, showing that rack; the rack, or null.
// Only the throw that takes a rack's last cup can end the game, and by then the
// hand-over has made the emptied rack the other one.
CupRack* EndGameOnEmptyRack();
// The single-player game's win check and its end line, composed anew on every frame
// from the two racks, whichever side's turn shows it.
void SinglePlayerWinCheck();
const char* SinglePlayerEndLine();

// A line of news over the table: the connection's state in an Internet game.
void DrawNotice(const char* text);

// The end-of-game lines: "You are victorious!  %s wins!" is the longest at 46 characters.
constexpr int EndMessageSize = 48;
