#pragma once
#include <vector>

#include "synth.h"

// The band of the theme tune: a drum kit, a plucked bass, an electric piano, a reedy
// lead and an organ, each giving one struck sound or note at the music's rate.
constexpr int MusicRate = 22050;

Signal KickDrum();
Signal SnareDrum();
Signal HiHat(bool open);
Signal Cymbal();
Signal BassNote(int note, double seconds);
Signal PianoChord(const std::vector<int>& notes, double seconds);
Signal LeadNote(int note, double seconds);
Signal OrganNote(int note, double seconds);
