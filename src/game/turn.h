#pragma once
#include <cstdint>

class Sprite;

// What one turn handler keeps between its frames. Each handler has its own set.
struct TurnRecord {
  int wait = 0;          // frames waited in TurnStart after a re-rack
  int throwResult = 0;   // cup index, or Miss, RimHit, Over
  int outcomeFrames = 0;
  int overFrames = 0;
  void (*handOver)();    // gives the turn to the other side
};

// A game frame lasts at least this long; the game's whole sense of time is counted in
// frames.
constexpr std::uint32_t FrameMs = 30;

// The pieces every turn handler shares, state by state.

// After a re-rack the next turn stands still for 11 frames before its banner shows.
void TurnStartState(TurnRecord& turn);
// The scene with the given banner over the rack; waits there for Enter.
void ReadyState(TurnRecord& turn, Sprite& banner);
// The scene while aiming: arrow, meter, panel and rack.
void DrawAimingScene();
// A human aims: the arrow keys slide the arrow while the meter runs.
void KeyboardAimingState();
// Wobbles copies of power and aim by the thrower's drink and sends the ball off; the
// frame goes on as a Flight frame.
void LaunchState(int power, int aim);
void FlightState();
// Judges the landing point of the unwobbled meter value and arrow offset.
void LandingState(TurnRecord& turn);
// The outcome scene and what follows the throw, up to the hand-over; leaves the frame
// unpresented so the handler can check for a winner first.
void OutcomeState(TurnRecord& turn);
// The end-of-game scene with its line.
void GameOverState(const char* line);
// The single-player end line, composed from the two racks.
const char* SinglePlayerEndLine(char* buffer, int size);

// The end-of-game lines: "You are victorious!  %s wins!" is the longest at 46 characters.
constexpr int EndMessageSize = 48;

extern TurnRecord HumanTurn;
extern TurnRecord ComputerTurn;
extern TurnRecord VersusTurn;
extern char HumanEndMessage[EndMessageSize];
extern char ComputerEndMessage[EndMessageSize];
extern char VersusMessage[EndMessageSize];
