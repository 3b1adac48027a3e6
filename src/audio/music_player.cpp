#include "audio/music_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio_observer.h"
#include "audio/sound_device.h"
#include "base/rand.h"
#include "base/settings.h"
#include "platform/platform.h"

unsigned char MusicIdle = 1;
int MusicFileCount = 0;

namespace {

struct MusicDeleter {
  void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MusicDeleter>;

std::thread Player;
// Fixed by StartMusic for the life of one player thread: the folder is listed once, not
// after every song, so a folder of thousands of broken files is given up at once.
std::filesystem::path SongFolder;
std::vector<std::string> Songs;

// Never held while calling into the mixer: the mixer calls SongFinished with its own
// lock held, and that takes this one.
std::mutex Lock;
std::condition_variable Wake;
bool StopWanted = false;
bool SongOver = false;

void SongFinished() {
  {
    std::lock_guard<std::mutex> hold(Lock);
    SongOver = true;
  }
  Wake.notify_all();
}

bool Stopping() {
  std::lock_guard<std::mutex> hold(Lock);
  return StopWanted;
}

// The folder is filled by hand, so "Song.MP3" counts as much as "song.mp3".
bool IsSong(const std::filesystem::directory_entry& entry) {
  std::string extension = entry.path().extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::error_code error;
  return extension == ".mp3" && entry.is_regular_file(error);
}

// Sorted, so that one random number always names the same song.
std::vector<std::string> SongsIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error))
    if (IsSong(*it)) names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

int MusicThread();

}  // namespace

int StartMusic() {
  if (!MusicIdle) return 0;
  std::error_code error;
  SongFolder = MusicFolder[0] ? std::filesystem::path(MusicFolder)
                              : std::filesystem::current_path(error) / "music";
  Songs = SongsIn(SongFolder);
  MusicFileCount = static_cast<int>(Songs.size());
  {
    std::lock_guard<std::mutex> hold(Lock);
    StopWanted = false;
    SongOver = false;
  }
  Mix_HookMusicFinished(SongFinished);
  Player = std::thread(MusicThread);
  MusicIdle = 0;
  return 0;
}

int StopMusic() {
  if (MusicIdle) return 0;
  {
    std::lock_guard<std::mutex> hold(Lock);
    StopWanted = true;
  }
  Wake.notify_all();
  Mix_HaltMusic();
  Player.join();
  MusicIdle = 1;
  if (AudioTrace) AudioTrace->MusicStopped();
  return 0;
}

namespace {

// Picks one of the folder's songs at random, seeding the thread's own generator from
// the clock first, and plays it to its end. A song that cannot be played is passed over
// for another pick; 0 only when every song has failed in a row (or there is none, or
// the player is stopping), 1 after a song played.
int PlayRandomSong();

// The player thread: song after song until StopMusic, or until no song of the folder
// can be played. Returns 0.
int MusicThread() {
  while (!Stopping() && PlayRandomSong()) {
  }
  // SDL keeps an error text per thread, and frees it by itself only for threads it made:
  // a song that fails to load would otherwise leave one behind with every player.
  SDL_TLSCleanup();
  return 0;
}

int PlayRandomSong() {
  // The songs not yet failed in this call, still in sorted order.
  std::vector<std::string> songs = Songs;
  while (!songs.empty() && !Stopping()) {
    crt::srand(static_cast<unsigned>(MainWindow->WallSeconds()));
    const auto song = songs.begin() + static_cast<long>(static_cast<size_t>(crt::rand()) % songs.size());
    if (PlayMusicFile((SongFolder / *song).string())) return 1;
    songs.erase(song);
  }
  return 0;
}

}  // namespace

int PlayMusicFile(const std::string& path) {
  if (!SoundDeviceOpen()) return 0;
  MusicPtr song(Mix_LoadMUS(path.c_str()));
  if (!song) return 0;
  {
    std::lock_guard<std::mutex> hold(Lock);
    if (StopWanted) return 1;
    SongOver = false;
  }
  if (Mix_PlayMusic(song.get(), 1) != 0) return 0;
  if (AudioTrace) AudioTrace->MusicStarted(path);
  {
    std::unique_lock<std::mutex> hold(Lock);
    Wake.wait(hold, [] { return SongOver || StopWanted; });
  }
  Mix_HaltMusic();
  return 1;
}
