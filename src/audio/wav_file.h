#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the effect loader takes from a RIFF WAVE file: the rate the file claims and the
// raw bytes of its "data" chunk.
struct WavContents {
  int sampleRate = 0;
  std::vector<std::uint8_t> data;
};

// Reads a PCM WAVE file: the first RIFF chunk of form "WAVE", its "fmt " chunk wherever
// it stands among the other chunks, then the "data" chunk that follows it. False for a
// missing file, another format than PCM, a format block shorter than 16 bytes, a data
// chunk that claims more bytes than the file holds, or any chunk cut off by the file's
// end. Chunk sizes are taken from the file and trusted for nothing.
bool ReadWavFile(const std::string& path, WavContents& out);
