#pragma once
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace server {

struct Account {
  std::string name;  // the spelling of its first log-on
  std::string hash;  // the password's Argon2id hash
  int wins = 0, losses = 0;
};

// The accounts in an SQLite database of the server's state folder. Each thread that
// works on them opens a store of its own; the database runs in WAL mode, so readers and
// the one writer do not hold each other up. Names are looked up folded.
class AccountStore {
 public:
  explicit AccountStore(const std::string& path);
  ~AccountStore();
  AccountStore(const AccountStore&) = delete;
  AccountStore& operator=(const AccountStore&) = delete;

  bool Ok() const { return db_ != nullptr; }
  const std::string& Error() const { return error_; }

  // 1 found, 0 no such account, -1 the database failed.
  int Find(std::string_view name, Account& out);
  // 0 when the name is taken or the database failed.
  int Add(std::string_view name, const std::string& hash);
  int SetHash(std::string_view name, const std::string& hash);
  int Remove(std::string_view name);
  int Record(std::string_view winner, std::string_view loser);
  // Every account, by folded name.
  std::vector<Account> List();

 private:
  sqlite3_stmt* Prepare(int which);
  int Change(int which, std::initializer_list<std::string_view> values);
  void Fail();

  sqlite3* db_ = nullptr;
  sqlite3_stmt* statements_[7] = {};
  std::string error_;
};

}  // namespace server
