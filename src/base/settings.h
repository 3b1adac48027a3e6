#pragma once
// The four settings kept in config.ini. Fixed-size fields: a value longer than its
// field is cut to the field's size less the terminator.
constexpr int UsernameSize = 16;
constexpr int PasswordSize = 16;
constexpr int MusicFolderSize = 256;
constexpr int ServerNameSize = 50;

// config.ini as a fresh install has it: every setting empty.
inline constexpr char DefaultConfigText[] = "username=\npassword=\nmusic=\nserver=\n";

extern char Username[UsernameSize];
extern char Password[PasswordSize];
extern char MusicFolder[MusicFolderSize];  // empty: the folder "music" beside the program
extern char ServerName[ServerNameSize];

// Copies at most size - 1 characters of text (which may be longer or unterminated
// beyond length) into field and terminates it.
void CopyField(char* field, int size, const char* text, int length);
void CopyField(char* field, int size, const char* text);
