#pragma once
#include <functional>
#include <map>

class QAction;
class QMenuBar;

// Fills the menu bar with the game's menu and returns its items by command id. Choosing
// an item calls onCommand with its id and nothing else: the check marks belong to the
// game, which sets them itself.
std::map<int, QAction*> BuildMainMenu(QMenuBar& bar, std::function<void(int id)> onCommand);

// With TUMBRA_REPORT_MENU set in the environment, prints the titles of the bar's popup
// menus to standard error as one line, "menu bar: Game|Options|...", so that a test
// driving the real window can see them. Without the variable it does nothing.
void ReportMenuBar(const QMenuBar& bar);
