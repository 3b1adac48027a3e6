#pragma once
#include <deque>
#include <functional>
#include <string>

#include "protocol/messages.h"

// An Internet game as the game's side sees it: who is who, the opponent's throws that
// have come and not been shown yet, how the connection stands, and the way out to the
// server. The connection itself is the application's; it fills this in from what the
// server says, and the two turns of the Internet game read it.
struct InternetMatch {
  enum Stage { Off, Connecting, Waiting, Playing, Ended };
  Stage stage = Off;
  bool lost = false;          // our line dropped: the game stands still while it comes back
  bool opponentAway = false;  // his line dropped: he has a while to come back
  std::string local, opponent;  // user names as the server spells them
  bool localFirst = false;      // the first thrower throws at the red rack
  int throws = 0;               // of this game, both players', as the server counts them
  std::deque<protocol::Throw> arrived;  // the opponent's, not yet shown
  protocol::Throw current;              // the throw on the table now
  bool outOfStep = false;  // this side found a throw judged otherwise than its thrower did
  std::string winner;      // once the game is over; empty for none
  std::function<void(const protocol::ClientMessage&)> send;
};
extern InternetMatch Match;

constexpr const char* OutOfStepText = "The game got out of step with your opponent's.";
constexpr const char* ConnectionLostText = "Connection lost; trying again...";
constexpr const char* OpponentAwayText = "Your opponent's connection dropped; waiting for him...";

// The game is over by the server's word or the connection's, with no rack emptied: the
// game-over screen names `winner`, or nobody.
void EndInternetGame(const std::string& winner);

// What the two turns share.
const char* InternetHeldBy();
void InternetWinCheck();
const char* InternetEndLine();
int ThrownRimBounce();
