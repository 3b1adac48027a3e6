#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/accounts.h"

namespace server {

// The threads that do the slow work of log-ons (a password hash takes tens of
// milliseconds and much memory) and every write to the account database, so that the
// network thread never waits for either. Each thread has its own database connection.
class WorkerPool {
 public:
  using Job = std::function<void(AccountStore&)>;

  WorkerPool(const std::string& database, int threads);
  ~WorkerPool();

  // An urgent job goes ahead of the others and still runs when the pool stops: a game's
  // result must reach the database before a log-on that reads it, and before the end.
  void Submit(Job job, bool urgent);
  // Runs the urgent jobs still waiting, drops the others, and joins the threads.
  void Stop();

 private:
  struct Entry {
    Job job;
    bool urgent;
  };
  void Work(const std::string& database);

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Entry> queue_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace server
