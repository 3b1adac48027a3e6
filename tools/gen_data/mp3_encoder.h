#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "binary_file.h"

// Encodes mono 16-bit samples as a constant-bit-rate MP3 with an ID3v2 title tag.
// Nothing in the file depends on the time of encoding.
Bytes EncodeMp3(const std::vector<std::int16_t>& samples, int rate, const std::string& title,
                const std::string& artist);
