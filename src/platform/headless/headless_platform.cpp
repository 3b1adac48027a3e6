#include "platform/headless/headless_platform.h"

#include <chrono>
#include <cstring>

#include "base/utf8.h"
#include "platform/quit_signals.h"

namespace {

class ScriptedDialog : public DialogContext {
 public:
  ScriptedDialog(const DialogTemplate& dialog, const std::function<void(const std::string&)>& onText)
      : dialog_(dialog), onText_(onText) {}
  std::string GetItemText(int id) override { return texts[id]; }
  // What the player reads in a text the procedure writes is reported; an edit's is not.
  void SetItemText(int id, const std::string& text) override {
    texts[id] = text;
    for (const DialogControl& c : dialog_.controls)
      if (c.id == id && c.kind == DialogControl::Static && onText_) onText_(text);
  }
  void LimitText(int id, int bytes) override { limits[id] = bytes; }
  // What a player's typing leaves in the field: no more than its limit.
  void Type(int id, const std::string& text) {
    auto limit = limits.find(id);
    texts[id] = limit == limits.end() ? text : text.substr(0, WholeCharacters(text, limit->second));
  }
  void EndDialog(int value) override {
    ended = true;
    result = value;
  }
  std::string BrowseForFolder(const char*) override { return browseAnswer; }

  std::map<int, std::string> texts;
  std::map<int, int> limits;
  std::string browseAnswer;
  bool ended = false;
  int result = 0;

 private:
  const DialogTemplate& dialog_;
  const std::function<void(const std::string&)>& onText_;
};

bool HasEdits(const DialogTemplate& dialog) {
  for (const DialogControl& c : dialog.controls)
    if (c.kind == DialogControl::Edit) return true;
  return false;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(int depth) : depth_(depth) {}

bool HeadlessPlatform::PeekMessage(Message& out) {
  if (TakeQuitSignal()) PostMessage(WM_DESTROY);
  if (!Platform::PeekMessage(out)) return false;
  if (out.message == WM_NETEVENT) ++netEventsTaken;
  return true;
}

void HeadlessPlatform::MessageBox(const char* text, const char* caption) {
  messageBoxes.push_back(Box{caption, text});
  if (onMessageBox) onMessageBox(messageBoxes.back());
}

int HeadlessPlatform::DialogBox(const DialogTemplate& dialog, DialogProc proc) {
  dialogsOpened.push_back(dialog.name);
  if (onDialog) onDialog(dialog.name);
  ScriptedDialog context(dialog, onDialogText);
  proc(context, WM_INITDIALOG, 0, 0);
  const bool scripted = HasEdits(dialog);
  // An event from the network, or Cancel when none comes in time.
  const auto takeEvent = [&] {
    if (WaitForNetwork(NetWaitSeconds))
      proc(context, WM_NETEVENT, 0, 0);
    else
      proc(context, WM_COMMAND, IdCancel, 0);
  };
  // Every answer either closes the dialog or is used up, so this ends; the bound only
  // guards against a procedure that refuses to close on Cancel.
  for (int turns = 0; !context.ended && turns < 1000; ++turns) {
    if (!scripted) {
      proc(context, WM_COMMAND, IdOk, 0);
      continue;
    }
    if (dialogAnswers.empty()) {
      if (dialog.listensToNetwork)
        takeEvent();
      else
        proc(context, WM_COMMAND, IdCancel, 0);
      continue;
    }
    DialogAnswer answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    switch (answer.kind) {
      case DialogAnswer::Net:
        takeEvent();
        break;
      case DialogAnswer::Ok:
        for (const auto& [id, text] : answer.edits) context.Type(id, text);
        proc(context, WM_COMMAND, IdOk, 0);
        break;
      case DialogAnswer::Cancel:
        proc(context, WM_COMMAND, IdCancel, 0);
        break;
      case DialogAnswer::Browse:
        context.browseAnswer = answer.path;
        proc(context, WM_COMMAND, answer.browseButton, 0);
        break;
    }
  }
  return context.result;
}

bool HeadlessPlatform::AskYesNo(const char* text, const char* caption) {
  if (onQuestion) onQuestion(Box{caption, text});
  if (questionAnswers.empty()) return false;
  const bool yes = questionAnswers.front();
  questionAnswers.pop_front();
  return yes;
}

void HeadlessPlatform::WakeForNetwork() {
  {
    std::lock_guard<std::mutex> hold(netLock_);
    ++netWakes_;
  }
  netWoken_.notify_all();
}

void HeadlessPlatform::ForgetNetworkWakes() {
  std::lock_guard<std::mutex> hold(netLock_);
  netTaken_ = netWakes_;
}

bool HeadlessPlatform::WaitForNetwork(double seconds) {
  std::unique_lock<std::mutex> hold(netLock_);
  const auto limit = std::chrono::duration<double>(seconds);
  if (!netWoken_.wait_for(hold, limit, [this] { return netWakes_ > netTaken_; })) return false;
  ++netTaken_;
  return true;
}

void HeadlessPlatform::CheckMenuItem(int id, bool checked) { menuChecks[id] = checked; }

void HeadlessPlatform::CreateTitleButton(int id, Rect where) { titleButtons[id] = where; }

void HeadlessPlatform::DestroyTitleButton(int id) { titleButtons.erase(id); }

void HeadlessPlatform::WindowCorner(int& x, int& y) {
  x = windowX_;
  y = windowY_;
}

void HeadlessPlatform::MoveWindow(int x, int y) {
  windowX_ = x;
  windowY_ = y;
  PostMessage(WM_MOVE, 0, 0);
}

void HeadlessPlatform::Present(const FrameView& frame) {
  ++framesPresented;
  size_t bytes = static_cast<size_t>(frame.pitch) * frame.height;
  lastFrame.resize(bytes);
  std::memcpy(lastFrame.data(), frame.pixels, bytes);
  lastFrameView = frame;
  lastFrameView.pixels = lastFrame.data();
}
