#pragma once

// config.ini, beside the program: four lines KEY=VALUE for username, password, music and
// server. Nothing is trimmed; a key counts when it begins with one of the four names;
// keys may come in any order and the last one wins.

// 1 when the file was read to its end without a format error. An unknown key, a second
// "=" on a line, or a line without "=" (an empty line too) is an error. A last line
// without a line end is dropped without complaint. A file that cannot be read to its
// end (a folder, a read error) is 0 too.
int ReadConfig();
// Saves the four settings. The new file is written beside the old one and renamed over
// it only when complete, readable by its owner alone (it holds a password). A symbolic
// link is followed and the file it leads to replaced; a file without its owner's write
// bit is left alone. On failure shows "Error opening config.ini" and returns 0.
int WriteConfig();
