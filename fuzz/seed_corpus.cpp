// Writes the fuzz targets' seed corpora: the game's own generated files, and a handful
// of broken ones described here, each a small change to a tiny well-formed file.
// Usage: fuzz_seeds RUN_FOLDER HAND_MADE_CONFIGS OUT_FOLDER
// (RUN_FOLDER holds bmps/, wavs/ and config.ini; OUT_FOLDER gets picture/, wav/, config/)
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture_sizes.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

Bytes Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// The picture target's two leading bytes: depth and loader, then the requested size.
Bytes PictureSeed(std::uint8_t mode, const Bytes& file) {
  int size = 0;
  if (file.size() >= 26)
    for (int i = 0; i < PictureSizeCount; ++i)
      if (Get32(file, 18) == static_cast<std::uint32_t>(PictureSizes[i].width) &&
          Get32(file, 22) == static_cast<std::uint32_t>(PictureSizes[i].height))
        size = i;
  Bytes seed{mode, static_cast<std::uint8_t>(size)};
  seed.insert(seed.end(), file.begin(), file.end());
  return seed;
}

// A 4 x 2 picture of the game's form, in a few colours.
Bytes TinyPicture() {
  Bytes b(54 + 4 * 2 * 3);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, 4);
  Put32(b, 22, 2);
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  Put32(b, 34, 4 * 2 * 3);
  for (std::size_t i = 54; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 37);
  return b;
}

std::vector<std::pair<std::string, Bytes>> BrokenPictures() {
  std::vector<std::pair<std::string, Bytes>> out;
  auto with = [&out](const std::string& name, auto change) {
    Bytes b = TinyPicture();
    change(b);
    out.emplace_back(name, b);
  };
  with("tiny", [](Bytes&) {});
  with("pixel-data-larger-than-file", [](Bytes& b) { Put32(b, 34, 0x7FFFFFFF); });
  with("no-pixel-data", [](Bytes& b) { Put32(b, 34, 0); });
  with("top-down-rows", [](Bytes& b) { Put32(b, 22, static_cast<std::uint32_t>(-2)); });
  with("negative-width", [](Bytes& b) { Put32(b, 18, static_cast<std::uint32_t>(-4)); });
  with("rows-overflow-32-bits", [](Bytes& b) {
    Put32(b, 18, 0x10000);
    Put32(b, 22, 0x10000);
  });
  with("eight-bit-table-cut-short", [](Bytes& b) { Put16(b, 28, 8); });
  with("sixteen-bit", [](Bytes& b) { Put16(b, 28, 16); });
  with("thirty-two-bit", [](Bytes& b) { Put16(b, 28, 32); });
  with("gap-before-pixels", [](Bytes& b) {
    b.insert(b.begin() + 54, 10, 0xEE);
    Put32(b, 10, 64);
  });
  with("headers-only", [](Bytes& b) { b.resize(54); });
  with("file-header-only", [](Bytes& b) { b.resize(14); });
  with("not-bm", [](Bytes& b) { b[1] = 'A'; });
  return out;
}

// A RIFF chunk: id, size, body, padded to an even length.
Bytes Chunk(const char* id, const Bytes& body) {
  Bytes c(8);
  for (int i = 0; i < 4; ++i) c[i] = static_cast<std::uint8_t>(id[i]);
  Put32(c, 4, static_cast<std::uint32_t>(body.size()));
  c.insert(c.end(), body.begin(), body.end());
  if (body.size() & 1) c.push_back(0);
  return c;
}

// The 16-byte format block of the game's effects: 8-bit mono PCM at 11025 Hz.
Bytes PcmFormat(std::uint16_t tag = 1) {
  Bytes f(16);
  Put16(f, 0, tag);
  Put16(f, 2, 1);
  Put32(f, 4, 11025);
  Put32(f, 8, 11025);
  Put16(f, 12, 1);
  Put16(f, 14, 8);
  return f;
}

Bytes Wave(const std::vector<Bytes>& chunks) {
  Bytes w{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) w.insert(w.end(), c.begin(), c.end());
  Put32(w, 4, static_cast<std::uint32_t>(w.size() - 8));
  return w;
}

std::vector<std::pair<std::string, Bytes>> BrokenWaves() {
  const Bytes samples{0x80, 0xC0, 0x40, 0x80};
  const Bytes fmt = Chunk("fmt ", PcmFormat());
  const Bytes data = Chunk("data", samples);
  std::vector<std::pair<std::string, Bytes>> out;
  out.emplace_back("tiny", Wave({fmt, data}));
  out.emplace_back("list-before-format", Wave({Chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), fmt, data}));
  out.emplace_back("data-before-format", Wave({data, fmt}));
  out.emplace_back("float-samples", Wave({Chunk("fmt ", PcmFormat(3)), data}));
  out.emplace_back("short-format", Wave({Chunk("fmt ", Bytes(PcmFormat().begin(), PcmFormat().begin() + 14)), data}));
  Bytes hugeData = Wave({fmt, data});
  Put32(hugeData, hugeData.size() - 8, 0xFFFFFFFF);
  out.emplace_back("data-larger-than-file", hugeData);
  Bytes streamed = Wave({fmt, data});
  Put32(streamed, 4, 0xFFFFFFFF);
  out.emplace_back("riff-size-unknown", streamed);
  Bytes wrapping = Wave({Chunk("junk", {1, 2}), fmt, data});
  Put32(wrapping, 16, 0xFFFFFFF9);
  out.emplace_back("chunk-size-wraps", wrapping);
  Bytes cut = Wave({fmt, data});
  cut.resize(cut.size() - 7);
  out.emplace_back("cut-in-data-header", cut);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fuzz_seeds RUN_FOLDER HAND_MADE_CONFIGS OUT_FOLDER\n");
    return 2;
  }
  const fs::path run = argv[1], configs = argv[2], out = argv[3];
  for (const char* target : {"picture", "wav", "config"}) {
    fs::remove_all(out / target);
    fs::create_directories(out / target);
  }
  int written = 0;
  for (const auto& entry : fs::directory_iterator(run / "bmps")) {
    const Bytes file = Read(entry.path());
    const std::string stem = entry.path().stem().string();
    Write(out / "picture" / (stem + "-32"), PictureSeed(0, file));
    Write(out / "picture" / (stem + "-16-splash"), PictureSeed(3, file));
    written += 2;
  }
  for (const auto& [name, file] : BrokenPictures()) {
    Write(out / "picture" / (name + "-32"), PictureSeed(0, file));
    Write(out / "picture" / (name + "-16"), PictureSeed(1, file));
    written += 2;
  }
  for (const auto& entry : fs::directory_iterator(run / "wavs"))
    fs::copy_file(entry.path(), out / "wav" / entry.path().filename()), ++written;
  for (const auto& [name, file] : BrokenWaves()) Write(out / "wav" / name, file), ++written;
  fs::copy_file(run / "config.ini", out / "config" / "config.ini"), ++written;
  for (const auto& entry : fs::directory_iterator(configs))
    fs::copy_file(entry.path(), out / "config" / entry.path().filename()), ++written;
  std::printf("%d seeds in %s\n", written, out.c_str());
  return 0;
}
