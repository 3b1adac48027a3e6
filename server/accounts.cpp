#include "server/accounts.h"

#include <sqlite3.h>

#include "protocol/limits.h"

namespace server {

namespace {

enum Statement { FindOne, AddOne, SetOne, RemoveOne, WinOne, LoseOne, ListAll };
constexpr const char* Sql[] = {
    "SELECT name, hash, wins, losses FROM accounts WHERE folded = ?1",
    "INSERT OR IGNORE INTO accounts (folded, name, hash) VALUES (?1, ?2, ?3)",
    "UPDATE accounts SET hash = ?2 WHERE folded = ?1",
    "DELETE FROM accounts WHERE folded = ?1",
    "UPDATE accounts SET wins = wins + 1 WHERE folded = ?1",
    "UPDATE accounts SET losses = losses + 1 WHERE folded = ?1",
    "SELECT name, hash, wins, losses FROM accounts ORDER BY folded",
};

constexpr const char* Schema =
    "PRAGMA journal_mode = WAL;"
    "PRAGMA synchronous = NORMAL;"
    "CREATE TABLE IF NOT EXISTS accounts ("
    "  folded TEXT PRIMARY KEY,"
    "  name TEXT NOT NULL,"
    "  hash TEXT NOT NULL,"
    "  wins INTEGER NOT NULL DEFAULT 0,"
    "  losses INTEGER NOT NULL DEFAULT 0"
    ") WITHOUT ROWID;";

// A log-on waits this long for another thread's write rather than fail.
constexpr int BusyMilliseconds = 5000;

std::string Text(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

Account Read(sqlite3_stmt* statement) {
  return {Text(statement, 0), Text(statement, 1), sqlite3_column_int(statement, 2), sqlite3_column_int(statement, 3)};
}

// Statements are kept prepared and reset after each use, so the next use starts clean.
struct Use {
  sqlite3_stmt* statement;
  ~Use() {
    if (statement) sqlite3_reset(statement);
  }
};

}  // namespace

AccountStore::AccountStore(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK ||
      sqlite3_busy_timeout(db_, BusyMilliseconds) != SQLITE_OK ||
      sqlite3_exec(db_, Schema, nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail();
}

AccountStore::~AccountStore() {
  for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

void AccountStore::Fail() {
  error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
  for (sqlite3_stmt*& statement : statements_) {
    sqlite3_finalize(statement);
    statement = nullptr;
  }
  sqlite3_close(db_);
  db_ = nullptr;
}

sqlite3_stmt* AccountStore::Prepare(int which) {
  if (!db_) return nullptr;
  sqlite3_stmt*& statement = statements_[which];
  if (!statement &&
      sqlite3_prepare_v3(db_, Sql[which], -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
    error_ = sqlite3_errmsg(db_);
    return nullptr;
  }
  return statement;
}

int AccountStore::Find(std::string_view name, Account& out) {
  const std::string folded = protocol::FoldName(name);
  const Use use{Prepare(FindOne)};
  if (!use.statement) return -1;
  sqlite3_bind_text(use.statement, 1, folded.data(), static_cast<int>(folded.size()), SQLITE_STATIC);
  const int step = sqlite3_step(use.statement);
  if (step == SQLITE_ROW) out = Read(use.statement);
  if (step != SQLITE_ROW && step != SQLITE_DONE) error_ = sqlite3_errmsg(db_);
  return step == SQLITE_ROW ? 1 : step == SQLITE_DONE ? 0 : -1;
}

// Runs a statement that changes one account; 1 when it changed one.
int AccountStore::Change(int which, std::initializer_list<std::string_view> values) {
  const Use use{Prepare(which)};
  if (!use.statement) return 0;
  int index = 1;
  for (std::string_view value : values)
    sqlite3_bind_text(use.statement, index++, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
  if (sqlite3_step(use.statement) != SQLITE_DONE) {
    error_ = sqlite3_errmsg(db_);
    return 0;
  }
  return sqlite3_changes(db_) == 1;
}

int AccountStore::Add(std::string_view name, const std::string& hash) {
  return Change(AddOne, {protocol::FoldName(name), name, hash});
}

int AccountStore::SetHash(std::string_view name, const std::string& hash) {
  return Change(SetOne, {protocol::FoldName(name), hash});
}

int AccountStore::Remove(std::string_view name) { return Change(RemoveOne, {protocol::FoldName(name)}); }

int AccountStore::Record(std::string_view winner, std::string_view loser) {
  // Either both counts or neither, also when the server stops between the two.
  if (!db_ || sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return 0;
  Change(WinOne, {protocol::FoldName(winner)});
  Change(LoseOne, {protocol::FoldName(loser)});
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return 1;
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  return 0;
}

std::vector<Account> AccountStore::List() {
  std::vector<Account> accounts;
  const Use use{Prepare(ListAll)};
  while (use.statement && sqlite3_step(use.statement) == SQLITE_ROW) accounts.push_back(Read(use.statement));
  return accounts;
}

}  // namespace server
