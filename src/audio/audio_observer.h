#pragma once
#include <string>

// Lets the replay driver hear what the game plays. Null in the game itself.
struct AudioObserver {
  virtual ~AudioObserver() = default;
  // An effect was asked for while effects are on and it is loaded; name is the file's
  // base name ("button", "cuphit", "rimhit"). Main thread.
  virtual void EffectPlayed(const char* name) = 0;
  // A song began. Called on the music thread: an observer that writes somewhere shared
  // must serialise that itself.
  virtual void MusicStarted(const std::string& path) = 0;
  // StopMusic ended a running player. Main thread.
  virtual void MusicStopped() = 0;
};

extern AudioObserver* AudioTrace;
