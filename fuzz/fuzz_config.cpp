// The settings reader under fuzzing: ReadConfig on config.ini in the current folder.
// Input: the file. Whatever it holds, every setting stays a terminated string within
// its field; and a file that reads cleanly gives settings that WriteConfig saves and
// ReadConfig reads back unchanged.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/config.h"
#include "base/settings.h"
#include "fuzz_room.h"

namespace {

struct Field {
  const char* name;
  char* text;
  int size;
};

const Field Fields[] = {{"username", Username, UsernameSize},
                        {"password", Password, PasswordSize},
                        {"music", MusicFolder, MusicFolderSize},
                        {"server", ServerName, ServerNameSize}};

void ClearSettings() {
  for (const Field& f : Fields) std::memset(f.text, 0, static_cast<std::size_t>(f.size));
}

std::string Snapshot() {
  std::string all;
  for (const Field& f : Fields) all += std::string(f.name) + "=" + f.text + "\n";
  return all;
}

FuzzRoom& Room() {
  static FuzzRoom room;
  return room;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzRoom& room = Room();
  room.Put("config.ini", data, size);
  ClearSettings();
  const int read = ReadConfig();

  if (read != 0 && read != 1) Finding("ReadConfig returned " + std::to_string(read), room);
  if (!room.window.messageBoxes.empty()) Finding("reading the settings showed a message", room);
  bool trailingReturn = false;
  for (const Field& f : Fields) {
    if (!std::memchr(f.text, '\0', static_cast<std::size_t>(f.size)))
      Finding(std::string(f.name) + " is not terminated within its field", room);
    if (std::strchr(f.text, '=') || std::strchr(f.text, '\n'))
      Finding(std::string(f.name) + " holds a line end or an equals sign", room);
    const std::size_t length = std::strlen(f.text);
    trailingReturn = trailingReturn || (length > 0 && f.text[length - 1] == '\r');
  }
  // A value ending in a carriage return cannot come back: written before the line feed,
  // it becomes the line end that files from other systems carry.
  if (read != 1 || trailingReturn) return 0;

  const std::string before = Snapshot();
  if (!WriteConfig()) Finding("the settings could not be saved", room);
  ClearSettings();
  if (ReadConfig() != 1) Finding("the saved settings do not read back", room);
  if (Snapshot() != before) Finding("the settings changed on their way through the file:\n" + before + "became\n" + Snapshot(), room);
  return 0;
}
