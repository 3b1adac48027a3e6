#pragma once
#include <QRect>
#include <QSettings>

// What the desktop remembers between runs, in a small file of its own
// ($XDG_CONFIG_HOME/tumbra/desktop.conf) and never in the game's config.ini: the
// window's size and place, whether it was maximised or full screen, the two switches
// of the Options menu, and the certificates the player trusted, one per server.
class DesktopSettings {
 public:
  DesktopSettings();

  // The window's place on the screen when neither maximised nor full screen: the top-left
  // corner of its frame and the size of its inside. Not valid when nothing was remembered.
  QRect WindowPlace() const;
  bool Maximized() const;
  bool FullScreen() const;
  void SetWindow(const QRect& place, bool maximized, bool fullScreen);

  // Whether a menu item is one of the remembered switches ("Sound FX On", "Music On").
  static bool IsSwitch(int id);
  // The remembered state of a switch; on when nothing was remembered.
  bool SwitchOn(int id) const;
  void SetSwitch(int id, bool on);

  // The fingerprint trusted for a server, empty for none.
  QString TrustedFingerprint(const QString& server) const;
  void SetTrustedFingerprint(const QString& server, const QString& fingerprint);

 private:
  QSettings file_;
};
