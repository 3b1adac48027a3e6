#pragma once
#include <utility>
#include <vector>

#include <QDialog>

#include "platform/dialog.h"

// A modal dialog built from its template, every control where the template puts it. The
// procedure hears of every button, Enter (1), Escape and the close box (2), and alone
// decides when the dialog ends.
class DialogWindow : public QDialog, public DialogContext {
  Q_OBJECT

 public:
  DialogWindow(const DialogTemplate& dialog, DialogProc proc, QWidget& owner);

  // Shows the dialog until the procedure ends it; returns the procedure's result.
  int Run();
  // A network event waits: the procedure gets WM_NETEVENT, after the message it is
  // handling when one comes in the middle of it.
  void NetworkWake();
  // The events that came once the procedure had ended the dialog: the game's to take.
  int WakesLeft() const { return wakesWaiting_; }

  std::string GetItemText(int id) override;
  void SetItemText(int id, const std::string& text) override;
  void LimitText(int id, int bytes) override;
  void EndDialog(int result) override;
  std::string BrowseForFolder(const char* title) override;

 public slots:
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AddControl(const DialogControl& control, QRect where);
  void OrderTabs();
  void Command(int id);
  void TakeWakes();
  QWidget* Item(int id) const;

  DialogProc proc_;
  QWidget& owner_;
  std::vector<std::pair<int, QWidget*>> items_;
  bool ended_ = false;
  int result_ = 0;
  bool inProc_ = false;
  int wakesWaiting_ = 0;
};
