// The settings reader under fuzzing: ReadConfig on config.ini in the current folder.
// Input: the file. Whatever it holds, every setting stays a terminated string within
// its field; and a file that reads cleanly gives settings that WriteConfig saves and
// ReadConfig reads back unchanged.
#include <cstring>

#include "app/config.h"
#include "app/setting_table.h"
#include "fuzz_room.h"

namespace {

// The settings, one per line, after clearing them for the next read.
std::string Take() {
  std::string all;
  for (const SettingRow& s : SettingTable) {
    all += std::string(s.field) + "\n";
    std::memset(s.field, 0, static_cast<std::size_t>(s.fieldSize));
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzRoom room;
  room.Put("config.ini", data, size);
  Take();
  const int read = ReadConfig();
  if (read != 0 && read != 1) room.Finding("ReadConfig returned " + std::to_string(read));
  if (!room.window.messageBoxes.empty()) room.Finding("reading the settings showed a message");
  bool trailingReturn = false;
  for (const SettingRow& s : SettingTable) {
    if (!std::memchr(s.field, '\0', static_cast<std::size_t>(s.fieldSize)))
      room.Finding("a setting is not terminated within its field");
    if (std::strchr(s.field, '=') || std::strchr(s.field, '\n'))
      room.Finding(std::string(s.field) + " holds a line end or an equals sign");
    const std::size_t length = std::strlen(s.field);
    trailingReturn = trailingReturn || (length > 0 && s.field[length - 1] == '\r');
  }
  // A value ending in a carriage return cannot come back: written before the line feed,
  // it becomes the line end that files from other systems carry.
  if (read != 1 || trailingReturn) return 0;
  if (!WriteConfig()) room.Finding("the settings could not be saved");
  const std::string before = Take();
  if (ReadConfig() != 1) room.Finding("the saved settings do not read back");
  if (const std::string after = Take(); after != before)
    room.Finding("the settings changed through the file:\n" + before + "became\n" + after);
  return 0;
}
