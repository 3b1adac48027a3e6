#include "platform/desktop/quit_signal_notifier.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include "platform/platform.h"
#include "platform/quit_signals.h"

QuitSignalNotifier::QuitSignalNotifier(Platform& platform) : platform_(platform) {
  if (!InstallQuitSignals()) return;
  notifier_ = new QSocketNotifier(QuitSignalFd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Quit(); });
}

void QuitSignalNotifier::Quit() {
  if (!TakeQuitSignal()) return;
  // An open menu holds the game's loop until it closes; a signal closes it.
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  // done() leaves each modal loop as it unwinds, innermost first; a dialog's procedure
  // hears nothing of it, as it would hear nothing of the process being killed.
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->done(0);
    else
      modal->hide();
  }
  platform_.PostMessage(WM_DESTROY);
}
