#include "server/worker_pool.h"

namespace server {

WorkerPool::WorkerPool(const std::string& database, int threads) {
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this, database] { Work(database); });
}

WorkerPool::~WorkerPool() { Stop(); }

void WorkerPool::Submit(Job job, bool urgent) {
  {
    const std::lock_guard lock(mutex_);
    if (urgent)
      queue_.push_front({std::move(job), true});
    else
      queue_.push_back({std::move(job), false});
  }
  ready_.notify_one();
}

void WorkerPool::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

void WorkerPool::Work(const std::string& database) {
  AccountStore store(database);
  for (;;) {
    Entry entry;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) std::erase_if(queue_, [](const Entry& e) { return !e.urgent; });
      if (queue_.empty()) return;
      entry = std::move(queue_.front());
      queue_.pop_front();
    }
    entry.job(store);
  }
}

}  // namespace server
