#include "default_config.h"

#include <fstream>

bool WriteDefaultConfigIfMissing(const std::filesystem::path& runFolder) {
  const std::filesystem::path path = runFolder / "config.ini";
  if (std::filesystem::exists(path)) return true;
  std::ofstream file(path, std::ios::binary);
  file << "username=\npassword=\nmusic=\nserver=\n";
  return static_cast<bool>(file);
}
