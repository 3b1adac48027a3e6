#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The numbers both ends of a connection keep to.
namespace protocol {

constexpr int Version = 1;
constexpr int DefaultPort = 7438;
constexpr std::size_t MaxMessageBytes = 4096;

// The game's own field lengths for the user name and the password.
constexpr std::size_t MaxNameBytes = 15;
constexpr std::size_t MaxPasswordBytes = 15;
constexpr std::size_t ResumeTokenDigits = 64;

constexpr int HandshakeSeconds = 10;
constexpr int PingSeconds = 20;
constexpr int SilenceSeconds = 60;
constexpr int TurnSeconds = 180;
constexpr int ResumeSeconds = 30;

constexpr int MaxConnectionsPerAddress = 20;
constexpr int FailedLogonsPerMinute = 5;
constexpr int RegistrationsPerHour = 5;

// A game with this many throws has gone on long enough to be a fault.
constexpr int MaxThrows = 1000;

// What a throw may hold: the meter's travel, the arrow's, the most a drink can wobble
// either way, the speeds a ball leaves a rim with, and the judgements.
constexpr int MaxPower = 150;
constexpr int MaxAim = 390;
constexpr int WobbleBelow = 6;  // a wobbled value lies from 6 below to 5 above
constexpr int WobbleAbove = 5;
constexpr int MinBounce = 5;
constexpr int MaxBounce = 32;
constexpr int LowestResult = -3;  // over the table
constexpr int HighestResult = 14;  // the last cup

// 1 to 15 bytes of well-formed UTF-8 without control characters.
bool ValidUserName(std::string_view name);
// 1 to 15 bytes of well-formed UTF-8.
bool ValidPassword(std::string_view password);
// 64 hex digits, lower case.
bool ValidResumeToken(std::string_view token);
// Names are the same when they differ only in the case of the ASCII letters.
std::string FoldName(std::string_view name);

}  // namespace protocol
