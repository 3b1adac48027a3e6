#include "audio/wav_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>

namespace {

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint64_t ChunkHeaderBytes = 8;
constexpr std::uint64_t PcmFormatBytes = 16;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

struct Chunk {
  char id[4];
  std::uint64_t body;   // offset of the first byte after the header
  std::uint64_t size;   // as the header claims it
  std::uint64_t next;   // offset of the chunk after it; odd sizes are padded to even
};

class RiffReader {
 public:
  explicit RiffReader(const std::string& path) : in_(path, std::ios::binary) {
    if (!in_) return;
    in_.seekg(0, std::ios::end);
    std::streamoff end = in_.tellg();
    fileSize_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
  }

  bool Open() const { return static_cast<bool>(in_); }
  std::uint64_t FileSize() const { return fileSize_; }

  // Reads exactly n bytes at offset, all of them inside the file.
  bool ReadAt(std::uint64_t offset, void* out, std::uint64_t n) {
    if (offset > fileSize_ || n > fileSize_ - offset) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(static_cast<char*>(out), static_cast<std::streamsize>(n));
    return static_cast<std::uint64_t>(in_.gcount()) == n;
  }

  // Walks the chunks that start in [from, end) until `matches` accepts one.
  template <class Match>
  bool Find(std::uint64_t from, std::uint64_t end, Match matches, Chunk& found) {
    for (std::uint64_t at = from; at < end && end - at >= ChunkHeaderBytes;) {
      std::uint8_t header[ChunkHeaderBytes];
      if (!ReadAt(at, header, ChunkHeaderBytes)) return false;
      std::memcpy(found.id, header, 4);
      found.body = at + ChunkHeaderBytes;
      found.size = Le32(header + 4);
      found.next = found.body + found.size + (found.size & 1);
      if (matches(found)) return true;
      at = found.next;
    }
    return false;
  }

 private:
  std::ifstream in_;
  std::uint64_t fileSize_ = 0;
};

bool IdIs(const Chunk& chunk, const char* id) { return std::memcmp(chunk.id, id, 4) == 0; }

}  // namespace

bool ReadWavFile(const std::string& path, WavContents& out) {
  RiffReader file(path);
  if (!file.Open()) return false;

  Chunk riff{};
  auto isWave = [&file](const Chunk& c) {
    char form[4];
    return IdIs(c, "RIFF") && c.size >= 4 && file.ReadAt(c.body, form, 4) &&
           std::memcmp(form, "WAVE", 4) == 0;
  };
  if (!file.Find(0, file.FileSize(), isWave, riff)) return false;
  // Writers that stream leave the RIFF size too large; the file's end bounds it anyway.
  std::uint64_t riffEnd = std::min(riff.body + riff.size, file.FileSize());

  Chunk fmt{};
  if (!file.Find(riff.body + 4, riffEnd, [](const Chunk& c) { return IdIs(c, "fmt "); }, fmt))
    return false;
  std::uint8_t format[PcmFormatBytes];
  if (fmt.size < PcmFormatBytes || !file.ReadAt(fmt.body, format, PcmFormatBytes)) return false;
  if (Le16(format) != FormatPcm) return false;

  Chunk data{};
  if (!file.Find(fmt.next, riffEnd, [](const Chunk& c) { return IdIs(c, "data"); }, data))
    return false;
  if (data.size > file.FileSize() - data.body ||
      data.size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    return false;
  std::vector<std::uint8_t> bytes(data.size);
  if (!file.ReadAt(data.body, bytes.data(), data.size)) return false;

  out.sampleRate = static_cast<std::int32_t>(Le32(format + 4));
  out.data = std::move(bytes);
  return true;
}
