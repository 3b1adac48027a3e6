#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "random_stream.h"

using Signal = std::vector<float>;

constexpr double TwoPi = 6.283185307179586;

inline double MidiFrequency(int note) { return 440.0 * std::exp2((note - 69) / 12.0); }

// exp(-t / time), the fall of everything struck or plucked.
double Decay(double t, double time);

// A rise over the first `attack` seconds, so that a sound starts without a click.
double Attack(double t, double attack);

// White noise, a sample at a time.
float NoiseSample(RandomStream& random);

// Adds `sound` into `mix` starting at sample `at`, scaled by gain; what would run past
// the end of the mix is dropped.
void MixIn(Signal& mix, std::size_t at, const Signal& sound, double gain);

// Scales the signal so that its loudest sample is `peak` (of full scale 1).
void Normalise(Signal& signal, double peak);

// Fades the last `samples` samples to silence, so that the sound ends without a click.
void FadeOut(Signal& signal, std::size_t samples);

// To 8-bit unsigned samples (128 silence); the signal must lie within -1 to 1.
std::vector<std::uint8_t> ToUnsigned8(const Signal& signal);

// To 16-bit signed samples; the signal must lie within -1 to 1.
std::vector<std::int16_t> ToSigned16(const Signal& signal);
