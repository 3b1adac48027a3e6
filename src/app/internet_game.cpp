#include "app/internet_game.h"

#include <memory>

#include "base/settings.h"
#include "game/game_state.h"
#include "game/internet_match.h"
#include "net/net_client.h"
#include "platform/platform.h"
#include "resources/dialogs.h"

int NetResumeSeconds = protocol::ResumeSeconds;

namespace {

enum DialogResult { NotPaired = 0, Paired = 1 };

std::unique_ptr<net::Client> Connection;
ServerAddress Server;
DialogContext* OpenDialog = nullptr;  // the Internet Game dialog, while it is open
std::string Asked;                    // the opponent the player asked for; empty: anyone
int Wins = 0, Losses = 0;

void Tell(const std::string& text) { MainWindow->MessageBox(text.c_str(), "Tumbra"); }

void Hangup() {
  if (!Connection) return;
  Connection->Close();
  Connection.reset();
  MainWindow->ForgetNetworkWakes();
}

void CloseDialog(DialogResult result) {
  if (!OpenDialog) return;
  DialogContext* dialog = OpenDialog;
  OpenDialog = nullptr;
  dialog->EndDialog(result);
}

void ShowProgress(const std::string& text) {
  if (OpenDialog) OpenDialog->SetItemText(IdNetStatus, text);
}

std::string Counted(int n, const char* one, const char* many) { return std::to_string(n) + (n == 1 ? one : many); }

void AskAboutCertificate(const std::string& fingerprint) {
  const std::string text = "This computer does not vouch for the certificate of the server " +
                           ServerAddressText(Server) + ". Its SHA-256 fingerprint is\n\n" + fingerprint +
                           "\n\nTrust it only if the server's owner gave you the same fingerprint. "
                           "Trust this server?";
  const bool yes = MainWindow->AskYesNo(text.c_str(), "Tumbra");
  if (yes) MainWindow->TrustFingerprint(TrustKey(), fingerprint);
  Connection->AnswerCertificate(yes);
}

// Over for good: the dialog closes, or the game ends with nobody winning.
void ConnectionFailed(const std::string& text) {
  Hangup();
  if (!text.empty()) Tell(text);
  const bool playing = Match.stage == InternetMatch::Playing;
  Match.stage = InternetMatch::Ended;
  Match.lost = false;
  if (OpenDialog) CloseDialog(NotPaired);
  else if (playing && GameMode == InternetMode && PlayState != GameOver) EndInternetGame("");
}

// What the player is told when the server ends the game; null for nothing.
const char* EndedText(const protocol::Ended& ended) {
  const bool won = ended.winner == Match.local;
  if (ended.reason == protocol::EndReason::Timeout)
    return won ? "Your opponent took too long and lost." : "You took too long and lost.";
  if (ended.reason == protocol::EndReason::Left || ended.reason == protocol::EndReason::Dropped)
    return won ? "Your opponent left the game." : nullptr;
  if (ended.reason == protocol::EndReason::OutOfStep && !Match.outOfStep) return OutOfStepText;
  return nullptr;
}

// The game is over on the server. When both games reported the same end there is nothing
// more to show; otherwise the player hears why, and the game-over screen names the winner
// the server names.
void GameEnded(const protocol::Ended& ended) {
  Hangup();
  Match.stage = InternetMatch::Ended;
  Match.lost = Match.opponentAway = false;
  if (GameMode != InternetMode) return;
  const char* text = EndedText(ended);
  if (text) Tell(text);
  if (text || PlayState != GameOver) EndInternetGame(ended.winner);
}

struct OnMessage {
  void operator()(const protocol::Welcome& w) const {
    Wins = w.wins;
    Losses = w.losses;
    Match.local = w.user;
    if (Match.stage == InternetMatch::Connecting) Match.send(protocol::Play{Asked});
  }
  void operator()(const protocol::Waiting& w) const {
    Match.stage = InternetMatch::Waiting;
    ShowProgress((w.opponent.empty() ? std::string("Waiting for an opponent...") : "Waiting for " + w.opponent + "...") +
                 "\n\n" + Counted(Wins, " win, ", " wins, ") + Counted(Losses, " loss", " losses"));
  }
  void operator()(const protocol::Paired& p) const {
    Match.opponent = p.opponent;
    Match.localFirst = protocol::FoldName(p.first) == protocol::FoldName(Match.local);
    Match.stage = InternetMatch::Playing;
    CloseDialog(Paired);
  }
  void operator()(const protocol::Rejoined&) const { Match.lost = false; }
  void operator()(const protocol::Throw& t) const {
    if (Match.stage == InternetMatch::Playing) Match.arrived.push_back(t);
  }
  void operator()(const protocol::Away&) const { Match.opponentAway = true; }
  void operator()(const protocol::Back&) const { Match.opponentAway = false; }
  void operator()(const protocol::Ended& e) const { GameEnded(e); }
  void operator()(const protocol::Cancelled&) const {}
  void operator()(const protocol::Bye&) const {}  // the connection turns it into Failed
};

void Send(const protocol::ClientMessage& message) {
  if (Connection) Connection->Send(message);
}

void Play(DialogContext& dialog) {
  if (Connection) return;  // on its way already
  const std::string opponent = dialog.GetItemText(IdOpponent);
  if (!opponent.empty() && !protocol::ValidUserName(opponent))
    return Tell("An opponent's user name has 1 to 15 bytes and no control characters.");
  if (protocol::FoldName(opponent) == protocol::FoldName(Username))
    return Tell("That is your own user name: type your opponent's, or leave it empty to play anyone.");
  Asked = opponent;
  Match.stage = InternetMatch::Connecting;
  Match.send = Send;
  Connection = std::make_unique<net::Client>([] { MainWindow->WakeForNetwork(); });
  Connection->Start({.server = Server,
                     .user = Username,
                     .password = Password,
                     .trustedFingerprint = MainWindow->TrustedFingerprint(TrustKey()),
                     .resumeSeconds = NetResumeSeconds});
  ShowProgress("Connecting to " + ServerAddressText(Server) + "...");
}

// Cancel, Escape or the close box: the wait ends at once and the game stays as it was.
void Cancel() {
  if (Connection && Match.stage == InternetMatch::Waiting) Connection->Send(protocol::Cancel{});
  Hangup();
  Match.stage = InternetMatch::Ended;
  CloseDialog(NotPaired);
}

bool InPlay() {
  return Connection && Match.stage == InternetMatch::Playing && GameMode == InternetMode && PlayState != GameOver;
}

}  // namespace

std::string TrustKey() {
  ServerAddress address;
  return ParseServerAddress(ServerName, address) ? ServerAddressText(address) : "";
}

bool OpenInternetGame() {
  if (!ServerName[0]) {
    Tell("Not supported yet.  Sorry!");
    return false;
  }
  if (!Username[0] || !Password[0]) {
    Tell("Fill in your user name and password under Options first.");
    return false;
  }
  if (!ParseServerAddress(ServerName, Server)) {
    Tell("The Server setting under Options, \"" + std::string(ServerName) +
         "\", is not a server: give a host name or address, with :PORT when the server is not on port " +
         std::to_string(protocol::DefaultPort) + ".");
    return false;
  }
  return MainWindow->DialogBox(InternetGameDialog(), InternetDialogProc) == Paired;
}

std::intptr_t InternetDialogProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t) {
  switch (message) {
    case WM_INITDIALOG:
      OpenDialog = &dialog;
      dialog.LimitText(IdOpponent, static_cast<int>(protocol::MaxNameBytes));
      return 1;
    case WM_NETEVENT: TakeNetworkEvent(); return 1;
    case WM_COMMAND:
      if (LowWord(wParam) == IdOk) Play(dialog);
      else if (LowWord(wParam) == IdCancel) Cancel();
      else return 0;
      return 1;
    default: return 0;
  }
}

void TakeNetworkEvent() {
  net::Event event;
  if (!Connection || !Connection->TakeEvent(event)) return;
  switch (event.kind) {
    case net::Event::Certificate: AskAboutCertificate(event.fingerprint); break;
    case net::Event::Lost: Match.lost = true; break;
    case net::Event::Failed: ConnectionFailed(event.text); break;
    case net::Event::Message: std::visit(OnMessage{}, event.message); break;
  }
}

bool LeaveForSomethingElse() {
  if (InPlay() && !MainWindow->AskYesNo("Leave this game? You lose it.", "Tumbra")) return false;
  LeaveInternetGame();
  return true;
}

void LeaveInternetGame() {
  if (!Connection) return;
  const bool inPlay = InPlay();
  // After its own end a game's leave costs nothing, and tells the server it need not wait.
  if (Match.stage == InternetMatch::Playing) Connection->Send(protocol::Leave{});
  Hangup();
  Match.stage = InternetMatch::Ended;
  Match.lost = false;
  if (inPlay) EndInternetGame(Match.opponent);
}

void DropConnection() {
  if (Connection) Connection->Drop();
}
