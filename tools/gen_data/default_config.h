#pragma once
#include <filesystem>

// The game will not start without config.ini. A fresh run folder gets the four settings
// empty, in the form the game itself writes them; a file that is there already holds
// what the player saved and is left alone.
bool WriteDefaultConfigIfMissing(const std::filesystem::path& runFolder);
