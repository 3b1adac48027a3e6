#include "default_config.h"

#include <fstream>

#include "base/settings.h"

bool WriteDefaultConfigIfMissing(const std::filesystem::path& runFolder) {
  const std::filesystem::path path = runFolder / "config.ini";
  if (std::filesystem::exists(path)) return true;
  std::ofstream file(path, std::ios::binary);
  file << DefaultConfigText;
  return static_cast<bool>(file);
}
