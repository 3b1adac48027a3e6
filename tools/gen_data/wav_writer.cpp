#include "wav_writer.h"

Bytes EncodeWav(const std::vector<std::uint8_t>& samples) {
  const auto dataSize = static_cast<std::uint32_t>(samples.size());
  Bytes out;
  PutTag(out, "RIFF");
  PutU32(out, 4 + (8 + 16) + (8 + dataSize + (dataSize & 1)));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, EffectRate);
  PutU32(out, EffectRate);  // bytes a second: one byte a sample
  PutU16(out, 1);           // block align
  PutU16(out, 8);           // bits a sample
  PutTag(out, "data");
  PutU32(out, dataSize);
  out.insert(out.end(), samples.begin(), samples.end());
  if (dataSize & 1) out.push_back(128);  // chunks are padded to an even length
  return out;
}
