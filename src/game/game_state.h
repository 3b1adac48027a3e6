#pragma once

// The frame function the main loop calls once per pass: the title screen or the running
// turn (installed_turn.h). A screen change is one assignment.
using FrameFunction = int (*)();
extern FrameFunction FrameHandler;

enum GameModes : int { TitleMode = 0, SinglePlayerMode = 1, VersusMode = 2, InternetMode = 3 };
extern int GameMode;

// The state of the running turn. Enter moves Ready to AimStart and, in a human's turn,
// Aiming to Launch; the frame handlers do the rest.
enum PlayStates : int {
  TurnStart = 0,
  Ready = 1,
  AimStart = 2,
  Aiming = 3,
  Launch = 4,
  Landing = 5,
  Flight = 6,
  Outcome = 7,
  Unused = 8,  // nothing sets it
  GameOver = 9,
};
extern int PlayState;

// The judgement of a throw: 0 to 14 is the index of the cup the ball dropped into.
enum ThrowResults : int { Miss = -1, RimHit = -2, Over = -3 };
