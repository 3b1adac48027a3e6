#include "mp3_encoder.h"

#include <algorithm>
#include <memory>

#include <lame/lame.h>

namespace {

struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

constexpr int ChunkSamples = 8192;

}  // namespace

Bytes EncodeMp3(const std::vector<std::int16_t>& samples, int rate, const std::string& title,
                const std::string& artist) {
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) return {};
  lame_set_num_channels(lame.get(), 1);
  lame_set_mode(lame.get(), MONO);
  lame_set_in_samplerate(lame.get(), rate);
  lame_set_out_samplerate(lame.get(), rate);
  lame_set_brate(lame.get(), 64);
  lame_set_quality(lame.get(), 5);
  // No Xing/Info frame: the stream is plain constant-rate frames behind the tag.
  lame_set_bWriteVbrTag(lame.get(), 0);
  id3tag_init(lame.get());
  id3tag_v2_only(lame.get());
  id3tag_set_title(lame.get(), title.c_str());
  id3tag_set_artist(lame.get(), artist.c_str());
  if (lame_init_params(lame.get()) < 0) return {};

  Bytes out;
  std::vector<unsigned char> buffer(ChunkSamples * 5 / 4 + 7200);
  std::vector<short> chunk(ChunkSamples);
  for (std::size_t at = 0; at < samples.size(); at += ChunkSamples) {
    const std::size_t count = std::min<std::size_t>(ChunkSamples, samples.size() - at);
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), count, chunk.begin());
    const int written = lame_encode_buffer(lame.get(), chunk.data(), chunk.data(), static_cast<int>(count),
                                           buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) return {};
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int written = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (written < 0) return {};
  out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  return out;
}
