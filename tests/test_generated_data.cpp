#include <gtest/gtest.h>

#include <SDL_mixer.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/sound_device.h"
#include "audio/wav_file.h"
#include "base/pictures.h"
#include "base/settings.h"
#include "display/bitmap_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}
std::uint32_t U16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

using GeneratedData = HeadlessTest;

// Uncompressed 24-bit pictures with the 40-byte header, bottom row first, no palette:
// the only form the game's reader takes, at the size the game asks for.
TEST_F(GeneratedData, EveryPictureHasTheFormTheGameReadsAtItsSize) {
  std::vector<PictureFile> files(std::begin(Pictures), std::end(Pictures));
  for (int frame = 0; frame < SplashFrameCount; ++frame)
    files.push_back({"", SplashFrameWidth, SplashFrameHeight, 0, 0});
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string name = i < PictureCount ? files[i].name : SplashFrameName(static_cast<int>(i - PictureCount));
    SCOPED_TRACE(name);
    const fs::path path = RunFolder() / "bmps" / name;
    const Bytes b = ReadAll(path);
    const std::uint32_t pixels = static_cast<std::uint32_t>(files[i].width * files[i].height * 3);
    ASSERT_EQ(b.size(), 54u + pixels);
    EXPECT_EQ(U16(b, 0), 0x4D42u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    BitmapFile record;
    ASSERT_TRUE(ReadBitmapFile(record, path.string().c_str()));
    EXPECT_TRUE(CheckPictureForm(record, files[i].width, files[i].height));
    FreeBitmapFile(record);
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(GeneratedData, EveryEffectIsEightBitMonoAt11025AndTheTuneLastsHalfAMinuteToAMinute) {
  for (const char* file : {"button.wav", "cuphit.wav", "rimhit.wav"}) {
    WavContents wav;
    ASSERT_TRUE(ReadWavFile((RunFolder() / "wavs" / file).string(), wav)) << file;
    EXPECT_EQ(wav.sampleRate, 11025) << file;
    const Bytes b = ReadAll(RunFolder() / "wavs" / file);
    EXPECT_EQ(U16(b, 22), 1u) << file << ": mono";
    EXPECT_EQ(U16(b, 34), 8u) << file << ": 8 bits a sample";
    EXPECT_GT(wav.data.size(), 11025u / 50) << file;  // longer than 20 ms, shorter than 3/4 s
    EXPECT_LT(wav.data.size(), 11025u * 3 / 4) << file;
  }
  std::vector<fs::path> tunes;
  for (const auto& entry : fs::directory_iterator(RunFolder() / "music")) tunes.push_back(entry.path());
  ASSERT_EQ(tunes.size(), 1u);
  ASSERT_TRUE(OpenSoundDevice());
  Mix_Music* tune = Mix_LoadMUS(tunes[0].c_str());
  ASSERT_NE(tune, nullptr) << Mix_GetError();
  EXPECT_GE(Mix_MusicDuration(tune), 30.0);
  EXPECT_LE(Mix_MusicDuration(tune), 60.0);
  Mix_FreeMusic(tune);
  CloseSoundDevice();
}

// The generator run into folders of our own: it lives in the build tree beside the run
// folder it normally fills.
int Generate(const fs::path& folder) {
  const fs::path generator = RunFolder().parent_path() / "tools" / "gen_data" / "tumbra_gen_data";
  const std::string command = "QT_QPA_PLATFORM=offscreen '" + generator.string() + "' '" + folder.string() + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(GeneratedData, TwoRunsWriteTheSameBytesAndSavedSettingsAreKept) {
  const std::string saved = "username=ann\npassword=pw\nmusic=/home/ann/tunes\nserver=\n";
  WriteFile("second/config.ini", saved);
  ASSERT_EQ(Generate(folder / "first"), 0);
  ASSERT_EQ(Generate(folder / "second"), 0);
  EXPECT_EQ(ReadAll(folder / "second" / "config.ini"), Bytes(saved.begin(), saved.end()));
  const std::string empty = DefaultConfigText;
  EXPECT_EQ(ReadAll(folder / "first" / "config.ini"), Bytes(empty.begin(), empty.end()));
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder / "first")) {
    const fs::path relative = fs::relative(entry.path(), folder / "first");
    if (!entry.is_regular_file() || relative == "config.ini") continue;
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(folder / "second" / relative)) << relative;
    ++files;
  }
  EXPECT_EQ(files, PictureCount + SplashFrameCount + 3 + 1);  // pictures, effects, the tune
  WriteFile("taken", "a file, not a folder");
  EXPECT_NE(Generate(folder / "taken"), 0);
}

}  // namespace
