#include "server/logon.h"

namespace server {

namespace {

LogonOutcome Check(AccountStore& store, const LogonRequest& request, HashCost cost, Account& account) {
  const int found = store.Find(request.user, account);
  if (found < 0) return LogonOutcome::Failed;
  if (!found && !request.mayRegister) {
    // As long as a wrong password takes, so the time of a refusal tells nobody whether
    // the name exists.
    static const std::string decoy = [cost] {
      std::string hash;
      HashPassword("decoy", cost, hash);
      return hash;
    }();
    VerifyPassword(decoy, request.password);
    return LogonOutcome::UnknownName;
  }
  if (!found) {
    std::string hash;
    if (!HashPassword(request.password, cost, hash)) return LogonOutcome::Failed;
    if (store.Add(request.user, hash)) {
      account = {request.user, hash, 0, 0};
      return LogonOutcome::Registered;
    }
    // Someone registered the name a moment ago: this is then a log-on like any other.
    if (store.Find(request.user, account) != 1) return LogonOutcome::Failed;
  }
  return VerifyPassword(account.hash, request.password) ? LogonOutcome::LoggedOn : LogonOutcome::WrongPassword;
}

}  // namespace

LogonAnswer CheckLogon(AccountStore& store, LogonRequest request, HashCost cost) {
  LogonAnswer answer;
  Account account;
  answer.outcome = Check(store, request, cost, account);
  Wipe(request.password);
  answer.request = std::move(request);
  answer.user = account.name;
  answer.wins = account.wins;
  answer.losses = account.losses;
  return answer;
}

}  // namespace server
