#include "instruments.h"

#include <algorithm>

namespace {

Signal Empty(double seconds) { return Signal(static_cast<std::size_t>(seconds * MusicRate), 0.0f); }

double Time(std::size_t i) { return static_cast<double>(i) / MusicRate; }

// Fades over the last `release` seconds of a held note.
double Release(double t, double length, double release) {
  return t < length - release ? 1.0 : std::max(0.0, (length - t) / release);
}

// Noise with its low end taken out, the body of cymbals and snare wires.
Signal Hiss(double seconds, double decay, std::uint32_t seed) {
  Signal s = Empty(seconds);
  RandomStream random(seed);
  float previous = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const float n = NoiseSample(random);
    s[i] = static_cast<float>((n - previous) * 0.5 * Decay(Time(i), decay));
    previous = n;
  }
  return s;
}

}  // namespace

Signal KickDrum() {
  Signal s = Empty(0.35);
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = Time(i);
    phase += TwoPi * (48 + 95 * Decay(t, 0.045)) / MusicRate;
    s[i] = static_cast<float>(std::sin(phase) * Attack(t, 0.001) * Decay(t, 0.16));
  }
  return s;
}

Signal SnareDrum() {
  Signal s = Hiss(0.25, 0.075, 0x54A2E);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = Time(i);
    s[i] = static_cast<float>(s[i] * 1.2 + 0.5 * std::sin(TwoPi * 185 * t) * Decay(t, 0.04));
  }
  return s;
}

Signal HiHat(bool open) { return open ? Hiss(0.3, 0.11, 0x0BE7) : Hiss(0.08, 0.022, 0xC105ED); }

Signal Cymbal() { return Hiss(2.5, 0.7, 0xC2A5); }

Signal BassNote(int note, double seconds) {
  Signal s = Empty(seconds);
  const double f = MidiFrequency(note);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = Time(i);
    const double tone = std::sin(TwoPi * f * t) + 0.35 * std::sin(2 * TwoPi * f * t) * Decay(t, 0.12) +
                        0.12 * std::sin(3 * TwoPi * f * t) * Decay(t, 0.06);
    s[i] = static_cast<float>(tone * Attack(t, 0.004) * Decay(t, 0.4) * Release(t, seconds, 0.03));
  }
  return s;
}

// Each key: a sine with a bell-like second partial that dies sooner, as a tine does.
Signal PianoChord(const std::vector<int>& notes, double seconds) {
  Signal s = Empty(seconds);
  for (int note : notes) {
    const double f = MidiFrequency(note);
    for (std::size_t i = 0; i < s.size(); ++i) {
      const double t = Time(i);
      const double tone = std::sin(TwoPi * f * t) + 0.4 * std::sin(2 * TwoPi * f * t) * Decay(t, 0.15) +
                          0.15 * std::sin(3.98 * TwoPi * f * t) * Decay(t, 0.05);
      s[i] += static_cast<float>(tone * Attack(t, 0.003) * Decay(t, 0.7) * Release(t, seconds, 0.05));
    }
  }
  return s;
}

// Odd harmonics over a soft even one, with a vibrato that comes in as the note is held:
// a harmonica-like reed.
Signal LeadNote(int note, double seconds) {
  Signal s = Empty(seconds);
  const double f = MidiFrequency(note);
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = Time(i);
    const double vibrato = 1 + 0.005 * std::min(1.0, t / 0.25) * std::sin(TwoPi * 5.5 * t);
    phase += TwoPi * f * vibrato / MusicRate;
    const double tone = std::sin(phase) + 0.2 * std::sin(2 * phase) + 0.32 * std::sin(3 * phase) +
                        0.14 * std::sin(5 * phase) + 0.06 * std::sin(7 * phase);
    s[i] = static_cast<float>(tone * Attack(t, 0.02) * (0.75 + 0.25 * Decay(t, 0.3)) *
                              Release(t, seconds, 0.06));
  }
  return s;
}

Signal OrganNote(int note, double seconds) {
  Signal s = Empty(seconds);
  const double f = MidiFrequency(note);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = Time(i);
    const double tone = std::sin(TwoPi * f * t) + 0.5 * std::sin(2 * TwoPi * f * t) +
                        0.25 * std::sin(4 * TwoPi * f * t);
    s[i] = static_cast<float>(tone * Attack(t, 0.01) * Release(t, seconds, 0.04));
  }
  return s;
}
