#pragma once
#include <cstdint>
#include <vector>

#include "binary_file.h"

// The sound effects' form: RIFF WAVE, PCM, mono, 8 bits unsigned (128 is silence),
// 11025 samples a second.
constexpr int EffectRate = 11025;

Bytes EncodeWav(const std::vector<std::uint8_t>& samples);
