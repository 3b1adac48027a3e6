#include "platform/desktop/desktop_settings.h"

#include <QUrl>

#include "resources/menu.h"

namespace {

const char* SwitchKey(int id) {
  switch (id) {
    case CmdSoundFx: return "sound/effects";
    case CmdMusic: return "sound/music";
    default: return nullptr;
  }
}

// A server's name holds ':' and may hold '/' or brackets, which a settings key cannot.
QString TrustKey(const QString& server) {
  return QStringLiteral("trusted/") + QString::fromLatin1(QUrl::toPercentEncoding(server));
}

}  // namespace

DesktopSettings::DesktopSettings()
    : file_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tumbra"),
            QStringLiteral("desktop")) {}

QRect DesktopSettings::WindowPlace() const { return file_.value("window/place").toRect(); }

bool DesktopSettings::Maximized() const { return file_.value("window/maximized", false).toBool(); }

bool DesktopSettings::FullScreen() const { return file_.value("window/fullScreen", false).toBool(); }

void DesktopSettings::SetWindow(const QRect& place, bool maximized, bool fullScreen) {
  file_.setValue("window/place", place);
  file_.setValue("window/maximized", maximized);
  file_.setValue("window/fullScreen", fullScreen);
}

bool DesktopSettings::IsSwitch(int id) { return SwitchKey(id) != nullptr; }

bool DesktopSettings::SwitchOn(int id) const {
  const char* key = SwitchKey(id);
  return !key || file_.value(key, true).toBool();
}

void DesktopSettings::SetSwitch(int id, bool on) {
  if (const char* key = SwitchKey(id)) file_.setValue(key, on);
}

QString DesktopSettings::TrustedFingerprint(const QString& server) const {
  return file_.value(TrustKey(server)).toString();
}

void DesktopSettings::SetTrustedFingerprint(const QString& server, const QString& fingerprint) {
  file_.setValue(TrustKey(server), fingerprint);
}
