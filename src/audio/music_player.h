#pragma once
#include <string>

// The background music: a second thread plays the *.mp3 files of the music folder, each
// picked at random and played to its end, one after another for as long as the game
// runs. The folder is the `MusicFolder` setting, or "music" under the current directory
// when that is empty.

// 1 while no player runs; 0 from StartMusic until StopMusic. Main thread only.
extern unsigned char MusicIdle;
// How many songs StartMusic found in the folder.
extern int MusicFileCount;

// Counts the folder's songs and starts the player thread, also when there is nothing to
// play (it then ends by itself, silent). Does nothing while a player runs. Result 0.
int StartMusic();

// Silences the music at once, tells the player thread to finish and waits for it. Safe
// at any moment, also while the thread goes from one song to the next. Does nothing
// while idle. Result 0.
int StopMusic();

// Plays one file to its end, or until StopMusic. 1 after it played, 0 when it cannot be
// played.
int PlayMusicFile(const std::string& path);
