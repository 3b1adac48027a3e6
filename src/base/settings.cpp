#include "base/settings.h"

#include <cstring>

char Username[UsernameSize];
char Password[PasswordSize];
char MusicFolder[MusicFolderSize];
char ServerName[ServerNameSize];

void CopyField(char* field, int size, const char* text, int length) {
  int n = length < size - 1 ? length : size - 1;
  if (n < 0) n = 0;
  std::memcpy(field, text, static_cast<size_t>(n));
  field[n] = '\0';
}

void CopyField(char* field, int size, const char* text) {
  CopyField(field, size, text, static_cast<int>(std::strlen(text)));
}
