#include "platform/desktop/desktop_platform.h"

#include <chrono>
#include <ctime>

#include <QApplication>
#include <QMessageBox>

#include "platform/desktop/dialog_window.h"
#include "platform/desktop/first_frame_report.h"
#include "platform/desktop/game_view.h"
#include "platform/desktop/game_window.h"
#include "platform/desktop/quit_signal_notifier.h"
#include "platform/quit_signals.h"

DesktopPlatform::DesktopPlatform()
    : window_(std::make_unique<GameWindow>(*this)),
      quitSignals_(std::make_unique<QuitSignalNotifier>(*this)) {
  OpenPads();
}

DesktopPlatform::~DesktopPlatform() { window_->RememberGeometry(); }

bool DesktopPlatform::PeekMessage(Message& out) {
  QCoreApplication::processEvents();
  if (QApplication::activePopupWidget()) {
    ReleaseArrows();
    while (QApplication::activePopupWidget()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    PollPads(false);  // what the pads did while the menu was open was not meant for the game
  }
  PollPads(true);
  if (!Platform::PeekMessage(out)) return false;
  if (out.message == WM_MOVE) movePending_ = false;
  return true;
}

void DesktopPlatform::PostMove() {
  if (movePending_) return;
  movePending_ = true;
  PostMessage(WM_MOVE);
}

void DesktopPlatform::ReleaseArrows() {
  KeyUp(ArrowKey::Left);
  KeyUp(ArrowKey::Right);
}

void DesktopPlatform::MessageBox(const char* text, const char* caption) {
  ReleaseArrows();
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption), QString::fromUtf8(text),
                  QMessageBox::Ok, window_.get());
  box.setTextFormat(Qt::PlainText);  // a file name is never taken for markup
  box.exec();
  PollPads(false);  // what the pads did meanwhile was not meant for the game
}

int DesktopPlatform::DialogBox(const DialogTemplate& dialog, DialogProc proc) {
  ReleaseArrows();
  DialogWindow window(dialog, proc, *window_);
  DialogWindow* const outer = listening_;
  if (dialog.listensToNetwork) listening_ = &window;
  const int result = window.Run();
  listening_ = outer;
  for (int left = window.WakesLeft(); left > 0; --left) PostMessage(WM_NETEVENT);
  PollPads(false);  // what the pads did meanwhile was not meant for the game
  return result;
}

bool DesktopPlatform::AskYesNo(const char* text, const char* caption) {
  ReleaseArrows();
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(caption), QString::fromUtf8(text),
                  QMessageBox::Yes | QMessageBox::No, window_.get());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  const bool yes = box.exec() == QMessageBox::Yes;
  PollPads(false);  // what the pads did meanwhile was not meant for the game
  return yes;
}

std::string DesktopPlatform::TrustedFingerprint(const std::string& server) {
  return window_->Settings().TrustedFingerprint(QString::fromStdString(server)).toStdString();
}

void DesktopPlatform::TrustFingerprint(const std::string& server, const std::string& fingerprint) {
  window_->Settings().SetTrustedFingerprint(QString::fromStdString(server), QString::fromStdString(fingerprint));
}

void DesktopPlatform::WakeForNetwork() {
  QMetaObject::invokeMethod(window_.get(), [this] { DeliverNetworkWake(); }, Qt::QueuedConnection);
}

void DesktopPlatform::DeliverNetworkWake() {
  if (listening_)
    listening_->NetworkWake();
  else
    PostMessage(WM_NETEVENT);
}

void DesktopPlatform::CheckMenuItem(int id, bool checked) { window_->CheckMenuItem(id, checked); }

void DesktopPlatform::CreateTitleButton(int id, Rect where) {
  window_->CreateTitleButton(id, where);
}

void DesktopPlatform::DestroyTitleButton(int id) { window_->DestroyTitleButton(id); }

void DesktopPlatform::WindowCorner(int& x, int& y) {
  const QPoint corner = window_->frameGeometry().topLeft();
  x = corner.x();
  y = corner.y();
}

std::uint32_t DesktopPlatform::TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void DesktopPlatform::Sleep(std::uint32_t ms) { SleepUnlessQuitSignal(ms); }

std::int64_t DesktopPlatform::WallSeconds() { return std::time(nullptr); }

void DesktopPlatform::Present(const FrameView& frame) {
  window_->Reveal(QSize(frame.width, frame.height));
  window_->View().Show(frame);
  static const bool firstFrameReported = (ReportFirstFrame(), true);
  (void)firstFrameReported;
}
