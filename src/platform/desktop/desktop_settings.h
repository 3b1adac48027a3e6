#pragma once
#include <QRect>
#include <QSettings>

// What the desktop remembers between runs, in a small file of its own
// ($XDG_CONFIG_HOME/tumbra/desktop.conf) and never in the game's config.ini: the
// window's size, place and full-screen state, and the two switches of the Options menu.
class DesktopSettings {
 public:
  DesktopSettings();

  // The window's place and size on the screen when not full screen (its inside, under
  // the frame); not valid when nothing was remembered yet.
  QRect WindowPlace() const;
  bool FullScreen() const;
  void SetWindow(const QRect& place, bool fullScreen);

  // Whether a menu item is one of the remembered switches ("Sound FX On", "Music On").
  static bool IsSwitch(int id);
  // The remembered state of a switch; on when nothing was remembered.
  bool SwitchOn(int id) const;
  void SetSwitch(int id, bool on);

 private:
  QSettings file_;
};
