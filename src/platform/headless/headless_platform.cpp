#include "platform/headless/headless_platform.h"

#include <cstring>

#include "base/utf8.h"
#include "platform/quit_signals.h"

namespace {

class ScriptedDialog : public DialogContext {
 public:
  std::string GetItemText(int id) override { return texts[id]; }
  void SetItemText(int id, const std::string& text) override { texts[id] = text; }
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
  return Platform::PeekMessage(out);
}

void HeadlessPlatform::MessageBox(const char* text, const char* caption) {
  messageBoxes.push_back(Box{caption, text});
  if (onMessageBox) onMessageBox(messageBoxes.back());
}

int HeadlessPlatform::DialogBox(const DialogTemplate& dialog, DialogProc proc) {
  dialogsOpened.push_back(dialog.name);
  if (onDialog) onDialog(dialog.name);
  ScriptedDialog context;
  proc(context, WM_INITDIALOG, 0, 0);
  const bool scripted = HasEdits(dialog);
  // Every answer either closes the dialog or is used up, so this ends; the bound only
  // guards against a procedure that refuses to close on Cancel.
  for (int turns = 0; !context.ended && turns < 1000; ++turns) {
    if (!scripted) {
      proc(context, WM_COMMAND, IdOk, 0);
      continue;
    }
    if (dialogAnswers.empty()) {
      proc(context, WM_COMMAND, IdCancel, 0);
      continue;
    }
    DialogAnswer answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    switch (answer.kind) {
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
