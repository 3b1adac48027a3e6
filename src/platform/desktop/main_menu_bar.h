#pragma once
#include <functional>
#include <map>

class QAction;
class QMenuBar;

// Fills the menu bar with the game's menu and returns its items by command id. Choosing
// an item, by the mouse, by its shortcut key or through the keyboard, calls onCommand
// with its id and nothing else: the check marks belong to the game, which sets them
// itself.
std::map<int, QAction*> BuildMainMenu(QMenuBar& bar, std::function<void(int id)> onCommand);
