#include "synth.h"

#include <algorithm>
#include <cmath>

double Decay(double t, double time) { return std::exp(-t / time); }

double Attack(double t, double attack) { return t >= attack ? 1.0 : t / attack; }

float NoiseSample(RandomStream& random) { return static_cast<float>(random.Uniform() * 2 - 1); }

void MixIn(Signal& mix, std::size_t at, const Signal& sound, double gain) {
  for (std::size_t i = 0; i < sound.size() && at + i < mix.size(); ++i)
    mix[at + i] += static_cast<float>(sound[i] * gain);
}

void Normalise(Signal& signal, double peak) {
  float loudest = 0;
  for (float s : signal) loudest = std::max(loudest, std::abs(s));
  if (loudest == 0) return;
  const auto scale = static_cast<float>(peak / loudest);
  for (float& s : signal) s *= scale;
}

void FadeOut(Signal& signal, std::size_t samples) {
  samples = std::min(samples, signal.size());
  const std::size_t start = signal.size() - samples;
  for (std::size_t i = 0; i < samples; ++i) {
    const double left = 1.0 - static_cast<double>(i + 1) / static_cast<double>(samples);
    signal[start + i] = static_cast<float>(signal[start + i] * left * left);
  }
}

std::vector<std::uint8_t> ToUnsigned8(const Signal& signal) {
  std::vector<std::uint8_t> out;
  out.reserve(signal.size());
  for (float s : signal)
    out.push_back(static_cast<std::uint8_t>(std::clamp(std::lround(128 + 127 * s), 0L, 255L)));
  return out;
}

std::vector<std::int16_t> ToSigned16(const Signal& signal) {
  std::vector<std::int16_t> out;
  out.reserve(signal.size());
  for (float s : signal)
    out.push_back(static_cast<std::int16_t>(std::clamp(std::lround(32767 * s), -32767L, 32767L)));
  return out;
}
