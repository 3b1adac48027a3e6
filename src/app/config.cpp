#include "app/config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/setting_table.h"
#include "platform/platform.h"

namespace {

constexpr const char* ConfigFile = "config.ini";
constexpr int TokenSize = 300;  // terminator included
constexpr int MaxLinkHops = 40;  // the system's own limit on a chain of links

// A key names a setting when it begins with the setting's name: "music2" is music, "user"
// is nothing.
const SettingRow* FindSetting(const char* key) {
  for (const SettingRow& s : SettingTable)
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

// The file that config.ini stands for: the end of its chain of symbolic links, so that
// a link the player made still leads to his settings after a save. False for a loop.
bool LinkTarget(std::filesystem::path& target) {
  target = ConfigFile;
  for (int hops = 0; hops < MaxLinkHops; ++hops) {
    std::error_code error;
    if (!std::filesystem::is_symlink(target, error)) return true;
    std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) return false;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return false;
}

// A file whose owner took away his own right to write it is left alone. The mode bits
// decide, not the right of whoever runs the game: root may write anything.
bool WriteProtected(const std::filesystem::path& target) {
  struct stat info;
  return ::stat(target.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

// The new file is written beside the old one and renamed over it only when complete, so
// a crash or a full disk never leaves half a file; it holds a password, so only its
// owner may read it.
bool Replace(const std::filesystem::path& target, const std::string& contents) {
  const std::string temporary = target.string() + ".new";
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 &&
                 ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size()) &&
                 ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

int ReadConfig() {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(ConfigFile, "rb"));
  if (!file) return 0;
  Token token;
  const SettingRow* pending = nullptr;
  for (;;) {
    int c = std::fgetc(file.get());
    // A read error is no end of file: a config.ini that cannot be read (a folder, a bad
    // disk) must not start the game with empty settings that the next OK would save.
    if (c == EOF) return std::ferror(file.get()) ? 0 : 1;
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
      CopyField(pending->field, pending->fieldSize, token.Take(), length);
      pending = nullptr;
    } else {
      token.Append(static_cast<char>(c));
    }
  }
}

int WriteConfig() {
  std::string contents;
  for (const SettingRow& s : SettingTable) contents += std::string(s.key) + "=" + s.field + "\n";
  std::filesystem::path target;
  if (!LinkTarget(target) || WriteProtected(target) || !Replace(target, contents)) {
    MainWindow->MessageBox("Error opening config.ini", "ERROR");
    return 0;
  }
  return 1;
}
