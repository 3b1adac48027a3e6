#include "server/address_book.h"

namespace server {

namespace {

constexpr Seconds FailureMemory{60};
constexpr Seconds RegistrationMemory{3600};

int Recent(std::deque<Time>& times, Seconds memory, Time now) {
  while (!times.empty() && now - times.front() >= memory) times.pop_front();
  return static_cast<int>(times.size());
}

}  // namespace

int AddressBook::Failures(Entry& entry, Time now) { return Recent(entry.failures, FailureMemory, now); }

int AddressBook::Registrations(Entry& entry, Time now) {
  return Recent(entry.registrations, RegistrationMemory, now);
}

void AddressBook::Prune(Time now) {
  for (auto it = entries_.begin(); it != entries_.end();) {
    Entry& e = it->second;
    const bool idle = e.connections == 0 && e.checking == 0 && e.queued.empty() && Failures(e, now) == 0 &&
                      Registrations(e, now) == 0;
    it = idle ? entries_.erase(it) : std::next(it);
  }
}

}  // namespace server
