#pragma once
#include <deque>
#include <string>
#include <unordered_map>

#include "server/clock.h"

namespace server {

// What the server remembers about each address its players connect from, for the limits
// that keep one address from crowding out the others: open connections, failed log-ons
// within the minute, new names within the hour, and the password checks under way.
class AddressBook {
 public:
  struct Entry {
    int connections = 0;
    int checking = 0;  // password checks under way
    int mayRegister = 0;  // of those, the ones allowed to register a new name
    std::deque<Time> failures;
    std::deque<Time> registrations;
    std::deque<ConnectionId> queued;  // log-ons waiting for a check to finish first
  };

  Entry& At(const std::string& address) { return entries_[address]; }
  // Failed log-ons of the last minute and registrations of the last hour.
  int Failures(Entry& entry, Time now);
  int Registrations(Entry& entry, Time now);
  // Forgets the addresses with nothing left to remember.
  void Prune(Time now);

 private:
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace server
