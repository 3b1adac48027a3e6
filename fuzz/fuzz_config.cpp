// The settings reader under fuzzing: ReadConfig on config.ini in the current folder.
// Input: the file. Whatever it holds, every setting stays a terminated string within
// its field; and a file that reads cleanly gives settings that WriteConfig saves and
// ReadConfig reads back unchanged.
#include <cstring>

#include "app/config.h"
#include "base/settings.h"
#include "fuzz_room.h"

namespace {

struct Field {
  char* text;
  int size;
} const Fields[] = {{Username, UsernameSize},
                   {Password, PasswordSize},
                   {MusicFolder, MusicFolderSize},
                   {ServerName, ServerNameSize}};

// The settings, one per line, after clearing them for the next read.
std::string Take() {
  std::string all;
  for (const Field& f : Fields) {
    all += std::string(f.text) + "\n";
    std::memset(f.text, 0, static_cast<std::size_t>(f.size));
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
  for (const Field& f : Fields) {
    if (!std::memchr(f.text, '\0', static_cast<std::size_t>(f.size)))
      room.Finding("a setting is not terminated within its field");
    if (std::strchr(f.text, '=') || std::strchr(f.text, '\n'))
      room.Finding(std::string(f.text) + " holds a line end or an equals sign");
    const std::size_t length = std::strlen(f.text);
    trailingReturn = trailingReturn || (length > 0 && f.text[length - 1] == '\r');
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
