// The data the build generates: the effects and the tune in the form the game plays, and
// a player's saved settings left alone. (A picture the game cannot read shows a message at
// every start, which the soak and the replay scripts fail on.)
#include <SDL_mixer.h>
#include <sys/wait.h>

#include <cstdlib>

#include "audio/sound_device.h"
#include "audio/wav_file.h"
#include "base/settings.h"
#include "test_support.h"

using GeneratedData = HeadlessTest;

// The effects are PCM at 11025 Hz, 20 ms to 3/4 s long; the one tune plays in the mixer
// for half a minute to a minute.
TEST_F(GeneratedData, EveryEffectIsAt11025AndTheTuneLastsHalfAMinuteToAMinute) {
  for (const char* file : {"button.wav", "cuphit.wav", "rimhit.wav"}) {
    SCOPED_TRACE(file);
    WavContents wav;
    ASSERT_TRUE(ReadWavFile((RunFolder() / "wavs" / file).string(), wav));
    const std::uint32_t samples = wav.data.size();
    EXPECT_EQ(wav.sampleRate, 11025);
    EXPECT_GT(samples, 11025u / 50);
    EXPECT_LT(samples, 11025u * 3 / 4);
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

TEST_F(GeneratedData, SavedSettingsAreKeptAndAFileInTheFoldersPlaceFailsTheRun) {
  const std::string saved = "username=ann\npassword=pw\nmusic=/home/ann/tunes\nserver=\n";
  WriteFile("second/config.ini", saved);
  ASSERT_EQ(Generate(folder / "first"), 0);
  ASSERT_EQ(Generate(folder / "second"), 0);
  EXPECT_EQ(ReadAll(folder / "second" / "config.ini"), saved);
  EXPECT_EQ(ReadAll(folder / "first" / "config.ini"), DefaultConfigText);
  WriteFile("taken", "a file, not a folder");
  EXPECT_NE(Generate(folder / "taken"), 0);
}
