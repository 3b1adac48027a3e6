#include "platform/desktop/main_menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "resources/menu.h"

std::map<int, QAction*> BuildMainMenu(QMenuBar& bar, std::function<void(int id)> onCommand) {
  std::map<int, QAction*> actions;
  for (const MenuPopup& popup : MainMenu()) {
    // Alt with the first letter opens the popup; the letter is underlined.
    QMenu* menu = bar.addMenu(u'&' + QString::fromLatin1(popup.text));
    for (const MenuItem& item : popup.items) {
      QAction* action = menu->addAction(QString::fromLatin1(item.text));
      if (item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
      action->setCheckable(item.checked);
      action->setChecked(item.checked);
      const int id = item.id;
      QObject::connect(action, &QAction::triggered, action, [action, id, onCommand] {
        // Qt has already flipped a checkable item; put the mark back as it was.
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        onCommand(id);
      });
      actions[id] = action;
    }
  }
  return actions;
}
