#include "platform/desktop/window_icon.h"

#include <QFile>

QIcon WindowIcon() {
  // The pictures live in a static library, whose resources are only linked in when named.
  Q_INIT_RESOURCE(window_icons);
  QIcon icon;
  for (int size : {256, 64, 32}) {
    const QString file = QStringLiteral(":/icons/tumbra_%1.png").arg(size);
    if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}
