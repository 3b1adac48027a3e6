// The data the build generates: each file in the exact form the game reads, accepted by
// the game's own readers, and the same bytes from every run of the generator.
#include <SDL_mixer.h>
#include <sys/wait.h>

#include <cstdlib>

#include "audio/sound_device.h"
#include "audio/wav_file.h"
#include "base/pictures.h"
#include "base/settings.h"
#include "display/bitmap_file.h"
#include "test_support.h"

using GeneratedData = HeadlessTest;

// Uncompressed 24-bit pictures with the 40-byte header, bottom row first, no palette, at
// the size the game asks for.
TEST_F(GeneratedData, EveryPictureHasTheFormTheGameReadsAtItsSize) {
  for (int i = 0; i < PictureCount + SplashFrameCount; ++i) {
    const bool splash = i >= PictureCount;
    const std::string name = splash ? SplashFrameName(i - PictureCount) : Pictures[i].name;
    const int width = splash ? SplashFrameWidth : Pictures[i].width;
    const int height = splash ? SplashFrameHeight : Pictures[i].height;
    SCOPED_TRACE(name);
    const std::string bytes = ReadAll(RunFolder() / "bmps" / name);
    EXPECT_EQ(bytes.size(), 54u + width * height * 3);
    EXPECT_EQ(bytes.substr(0, 54), SolidBitmap(width, height, 0, 0, 0).substr(0, 54));
    BitmapFile record;
    ASSERT_TRUE(ReadBitmapFile(record, (RunFolder() / "bmps" / name).c_str()));
    EXPECT_TRUE(CheckPictureForm(record, width, height));
    FreeBitmapFile(record);
  }
}

// The effects are 8-bit mono PCM at 11025 Hz with nothing but the format and the data,
// 20 ms to 3/4 s long; the one tune plays in the mixer for half a minute to a minute.
TEST_F(GeneratedData, EveryEffectIsEightBitMonoAt11025AndTheTuneLastsHalfAMinuteToAMinute) {
  for (const char* file : {"button.wav", "cuphit.wav", "rimhit.wav"}) {
    SCOPED_TRACE(file);
    WavContents wav;
    ASSERT_TRUE(ReadWavFile((RunFolder() / "wavs" / file).string(), wav));
    const std::uint32_t samples = wav.data.size();
    EXPECT_EQ(wav.sampleRate, 11025);
    EXPECT_GT(samples, 11025u / 50);
    EXPECT_LT(samples, 11025u * 3 / 4);
    EXPECT_EQ(ReadAll(RunFolder() / "wavs" / file).substr(0, 44),
              "RIFF" + Le32(36 + samples + samples % 2) + "WAVEfmt " + Le32(16) + Le16(1) + Le16(1) +
                  Le32(11025) + Le32(11025) + Le16(1) + Le16(8) + "data" + Le32(samples));
  }
  ASSERT_EQ(std::distance(fs::directory_iterator(RunFolder() / "music"), fs::directory_iterator()), 1);
  ASSERT_TRUE(OpenSoundDevice());
  Mix_Music* tune = Mix_LoadMUS(fs::directory_iterator(RunFolder() / "music")->path().c_str());
  ASSERT_NE(tune, nullptr) << Mix_GetError();
  EXPECT_GE(Mix_MusicDuration(tune), 30.0);
  EXPECT_LE(Mix_MusicDuration(tune), 60.0);
  Mix_FreeMusic(tune);
  CloseSoundDevice();
}

// The generator, which lives in the build tree beside the run folder it normally fills,
// run into a folder of our own.
static int Generate(const fs::path& folder) {
  const fs::path generator = RunFolder().parent_path() / "tools/gen_data/tumbra_gen_data";
  const std::string command = "QT_QPA_PLATFORM=offscreen '" + generator.string() + "' '" + folder.string() + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(GeneratedData, TwoRunsWriteTheSameBytesAndSavedSettingsAreKept) {
  const std::string saved = "username=ann\npassword=pw\nmusic=/home/ann/tunes\nserver=\n";
  WriteFile("second/config.ini", saved);
  ASSERT_EQ(Generate(folder / "first"), 0);
  ASSERT_EQ(Generate(folder / "second"), 0);
  EXPECT_EQ(ReadAll(folder / "second" / "config.ini"), saved);
  EXPECT_EQ(ReadAll(folder / "first" / "config.ini"), DefaultConfigText);
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
