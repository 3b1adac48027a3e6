#include "sound_effects.h"

#include "synth.h"
#include "wav_writer.h"

namespace {

Signal Silence(double seconds) { return Signal(static_cast<std::size_t>(seconds * EffectRate), 0.0f); }

std::size_t At(double seconds) { return static_cast<std::size_t>(seconds * EffectRate); }

double Time(std::size_t i) { return static_cast<double>(i) / EffectRate; }

// A decaying sine partial added into the signal from `start` seconds on.
void AddPartial(Signal& s, double start, double frequency, double decay, double gain) {
  for (std::size_t i = At(start); i < s.size(); ++i) {
    const double t = Time(i) - start;
    s[i] += static_cast<float>(gain * Attack(t, 0.0008) * Decay(t, decay) * std::sin(TwoPi * frequency * t));
  }
}

// A bubble: a sine whose pitch glides up as the air pocket closes, the sound of a plop.
void AddBubble(Signal& s, double start, double from, double to, double decay, double gain) {
  double phase = 0;
  for (std::size_t i = At(start); i < s.size(); ++i) {
    const double t = Time(i) - start;
    const double frequency = from + (to - from) * (1 - Decay(t, 0.035));
    phase += TwoPi * frequency / EffectRate;
    s[i] += static_cast<float>(gain * Attack(t, 0.002) * Decay(t, decay) * std::sin(phase));
  }
}

// Noise that dies away; `bright` keeps only its fast changes (a hiss), otherwise it is
// smoothed into a dull rush.
void AddNoiseBurst(Signal& s, double start, double decay, double gain, bool bright, std::uint32_t seed) {
  RandomStream random(seed);
  float previous = 0, smooth = 0;
  for (std::size_t i = At(start); i < s.size(); ++i) {
    const double t = Time(i) - start;
    const float n = NoiseSample(random);
    smooth += 0.25f * (n - smooth);
    const float shaped = bright ? n - previous : smooth;
    previous = n;
    s[i] += static_cast<float>(gain * Decay(t, decay) * shaped);
  }
}

// Loud enough to hear over the music, never at the ends of the 8-bit range, and the last
// samples exactly silent.
std::vector<std::uint8_t> Finish(Signal s) {
  Normalise(s, 0.82);
  FadeOut(s, At(0.012));
  const Signal tail = Silence(0.008);
  s.insert(s.end(), tail.begin(), tail.end());
  return ToUnsigned8(s);
}

}  // namespace

std::vector<std::uint8_t> ButtonClick() {
  Signal s = Silence(0.09);
  AddNoiseBurst(s, 0, 0.0015, 0.6, true, 0xC11C);
  AddPartial(s, 0, 2250, 0.006, 0.7);
  AddPartial(s, 0, 3380, 0.004, 0.3);
  AddPartial(s, 0.002, 880, 0.018, 0.45);
  return Finish(s);
}

std::vector<std::uint8_t> CupPlop() {
  Signal s = Silence(0.42);
  AddPartial(s, 0, 120, 0.03, 0.35);
  AddNoiseBurst(s, 0.004, 0.05, 0.35, false, 0x5B1A54);
  AddBubble(s, 0.0, 240, 860, 0.07, 1.0);
  AddBubble(s, 0.11, 600, 1100, 0.025, 0.35);
  AddBubble(s, 0.17, 820, 1400, 0.02, 0.25);
  AddBubble(s, 0.24, 700, 1250, 0.018, 0.18);
  AddBubble(s, 0.30, 950, 1500, 0.015, 0.12);
  return Finish(s);
}

std::vector<std::uint8_t> RimTick() {
  Signal s = Silence(0.16);
  AddNoiseBurst(s, 0, 0.002, 0.8, true, 0x71C);
  // Thin moulded plastic rings at a few high, close-spaced pitches and dies fast.
  AddPartial(s, 0, 1850, 0.030, 0.5);
  AddPartial(s, 0, 2960, 0.022, 0.35);
  AddPartial(s, 0, 4150, 0.015, 0.25);
  AddPartial(s, 0, 430, 0.018, 0.3);
  return Finish(s);
}
