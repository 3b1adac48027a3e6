#include "app/config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "base/settings.h"
#include "platform/platform.h"

namespace {

constexpr const char* ConfigFile = "config.ini";
constexpr int TokenSize = 300;  // terminator included

struct Setting {
  const char* key;
  char* field;
  int size;
};

const Setting Settings[] = {
    {"username", Username, UsernameSize},
    {"password", Password, PasswordSize},
    {"music", MusicFolder, MusicFolderSize},
    {"server", ServerName, ServerNameSize},
};

// A key names a setting when it begins with the setting's name: "music2" is music, "user"
// is nothing.
const Setting* FindSetting(const char* key) {
  for (const Setting& s : Settings)
    if (std::strncmp(key, s.key, std::strlen(s.key)) == 0) return &s;
  return nullptr;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

class Token {
 public:
  // Characters beyond the buffer are dropped, never written past it.
  void Append(char c) {
    if (length_ < TokenSize - 1) text_[length_++] = c;
  }
  const char* Take() {
    text_[length_] = '\0';
    length_ = 0;
    return text_;
  }
  int Length() const { return length_; }

 private:
  char text_[TokenSize];
  int length_ = 0;
};

}  // namespace

int ReadConfig() {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(ConfigFile, "rb"));
  if (!file) return 0;
  Token token;
  const Setting* pending = nullptr;
  for (;;) {
    int c = std::fgetc(file.get());
    if (c == EOF) return 1;
    if (c == '\r') {
      // A carriage return before a line feed belongs to the line end, as in files
      // written on systems that end lines that way.
      int next = std::fgetc(file.get());
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file.get());
      }
    }
    if (c == '=') {
      if (pending) return 0;
      pending = FindSetting(token.Take());
      if (!pending) return 0;
    } else if (c == '\n') {
      if (!pending) return 0;
      int length = token.Length();
      CopyField(pending->field, pending->size, token.Take(), length);
      pending = nullptr;
    } else {
      token.Append(static_cast<char>(c));
    }
  }
}

int WriteConfig() {
  std::string contents;
  for (const Setting& s : Settings) contents += std::string(s.key) + "=" + s.field + "\n";
  const std::string temporary = std::string(ConfigFile) + ".new";
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, S_IRUSR | S_IWUSR);
  bool written = fd >= 0;
  if (written) {
    written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 &&
              ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size()) &&
              ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
  }
  if (!written || std::rename(temporary.c_str(), ConfigFile) != 0) {
    if (fd >= 0) std::remove(temporary.c_str());
    MainWindow->MessageBox("Error opening config.ini", "ERROR");
    return 0;
  }
  return 1;
}
