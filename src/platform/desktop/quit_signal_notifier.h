#pragma once
#include <QObject>

class Platform;
class QSocketNotifier;

// Hears the quit signals in Qt's event loop, also in the loop of a message box or dialog,
// and ends the program as closing its window does: whatever modal window is open is
// closed without a word to its procedure (an Options dialog saves nothing), then
// WM_DESTROY goes into the game's queue.
class QuitSignalNotifier : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignalNotifier(Platform& platform);

 private:
  void Quit();

  Platform& platform_;
  QSocketNotifier* notifier_ = nullptr;
};
