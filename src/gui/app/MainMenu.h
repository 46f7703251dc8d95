#pragma once

#include <QMap>

class QAction;
class QMenu;
class QMenuBar;

namespace vexlor::gui {

// The main menu's object name: its resource number, the name field reports use for it.
inline constexpr const char* kMainMenuName = "menu131";

// The items of the main menu, keyed by command id. The window connects them; a new command is
// one entry in the table of its menu (MainMenu.cpp) and one id in CommandIds.h.
struct MainMenu {
    QMap<int, QAction*> actions;
    QList<QMenu*> menus;
};

MainMenu BuildMainMenu(QMenuBar* bar);

}  // namespace vexlor::gui
