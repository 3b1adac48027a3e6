#include "server/admin.h"

#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "server/accounts.h"
#include "server/log.h"
#include "server/secrets.h"

namespace server {

namespace {

// One line of standard input; on a terminal, typed without echo.
bool ReadLine(const char* prompt, std::string& line) {
  termios saved{};
  const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
  if (terminal) {
    std::fprintf(stderr, "%s", prompt);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  const bool read = static_cast<bool>(std::getline(std::cin, line));
  if (terminal) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fprintf(stderr, "\n");
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return read;
}

bool ReadPassword(std::string& password) {
  if (!ReadLine("Password: ", password)) return false;
  if (!protocol::ValidPassword(password)) {
    Log("a password is 1 to 15 bytes of UTF-8");
    return false;
  }
  if (!::isatty(STDIN_FILENO)) return true;
  std::string again;
  const bool same = ReadLine("Again: ", again) && again == password;
  Wipe(again);
  if (!same) Log("the two passwords differ");
  return same;
}

// Run by root on a folder of the server's own user, the files the command made or
// touched are handed to that user, or the server could no longer write them.
void HandOver(const std::string& folder) {
  struct stat owner{};
  if (::geteuid() != 0 || ::stat(folder.c_str(), &owner) != 0 || owner.st_uid == 0) return;
  for (const char* name : {"/accounts.db", "/accounts.db-wal", "/accounts.db-shm"})
    if (::chown((folder + name).c_str(), owner.st_uid, owner.st_gid) != 0 && errno != ENOENT)
      Log(folder + name + ": cannot hand it to the server's user");
}

int ChangeAccount(AccountStore& store, const std::string& verb, const std::string& name, HashCost cost) {
  if (verb == "remove") {
    if (store.Remove(name)) return 0;
    return Log("there is no account " + name), 1;
  }
  Account existing;
  const int found = store.Find(name, existing);
  if (found < 0) return Log("account database: " + store.Error()), 1;
  if (verb == "add" && found) return Log(name + " is taken"), 1;
  if (verb == "passwd" && !found) return Log("there is no account " + name), 1;
  std::string password, hash;
  const bool read = ReadPassword(password);
  const bool hashed = read && HashPassword(password, cost, hash);
  Wipe(password);
  if (!hashed) return 1;
  if (verb == "add" ? store.Add(name, hash) : store.SetHash(name, hash)) return 0;
  return Log("account database: " + store.Error()), 1;
}

}  // namespace

int MakeStateFolder(const std::string& folder, std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return 1;
  std::filesystem::create_directories(folder, ec);
  if (!ec) std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  if (ec) return error = folder + ": " + ec.message(), 0;
  return 1;
}

int RunAdmin(const ServerOptions& options) {
  const std::vector<std::string>& command = options.command;
  const bool list = command.size() == 2 && command[1] == "list";
  const bool named = command.size() == 3 && (command[1] == "add" || command[1] == "remove" || command[1] == "passwd");
  if (command.empty() || command[0] != "user" || (!list && !named)) {
    std::fputs(Usage, stderr);
    return 2;
  }
  if (named && !protocol::ValidUserName(command[2]))
    return Log("a user name is 1 to 15 bytes of UTF-8 without control characters"), 2;
  std::string error;
  if (!MakeStateFolder(options.state, error)) return Log(error), 1;
  int status = 0;
  {
    AccountStore store(options.state + "/accounts.db");
    if (!store.Ok()) return Log("account database: " + store.Error()), 1;
    if (list) {
      for (const server::Account& account : store.List())
        std::printf("%s\t%d\t%d\n", account.name.c_str(), account.wins, account.losses);
    } else {
      status = ChangeAccount(store, command[1], command[2], options.hashCost);
    }
  }
  HandOver(options.state);
  return status;
}

}  // namespace server
