#include "gui/app/MainMenu.h"

#include <QMenuBar>

#include "gui/app/CommandIds.h"

namespace vexlor::gui {

namespace {

struct MenuItem {
    int id;  // 0: a separator
    const char* text;
    const char* name;
};

constexpr MenuItem kFileMenu[] = {{kLoadFile, "Load File", "menuLoadFile"},
                                  {kSaveAs, "Save As...", "menuSaveAs"},
                                  {kExportSetting, "Export Setting", "menuExportSetting"},
                                  {0, nullptr, nullptr},
                                  {kExit, "Exit", "menuExit"}};
constexpr MenuItem kOperationMenu[] = {
    {kUpdateFirmware, "Update F/W", "menuUpdateFirmware"},
    {kSerialNumberProgram, "Serial Number Program", "menuSerialNumberProgram"},
    {kCompareFile, "Compare File", "menuCompareFile"},
    {kSetProtect, "Set Protect", "menuSetProtect"},
    {kReadChipInfo, "Read Chip Info", "menuReadChipInfo"}};
constexpr MenuItem kHelpMenu[] = {
    {kUserManual, "User Manual", "menuUserManual"},
    {kCheckNewVersion, "Check New Version", "menuCheckNewVersion"},
    {kReadHardwareId, "Read Hardware ID", "menuReadHardwareId"},
    {kReadSerialInfo, "Read S/N Info", "menuReadSerialInfo"},
    {kResetWriterFirmware, "Reset Writer F/W", "menuResetWriterFirmware"},
    {kWriterSimpleTest, "Writer Simple Test", "menuWriterSimpleTest"},
    {kUpdateChip, "Update Chip", "menuUpdateChip"}};

template <std::size_t N>
void addMenu(QMenuBar* bar, const char* title, const char* name, const MenuItem (&items)[N],
             MainMenu& menu) {
    QMenu* added = bar->addMenu(title);
    added->setObjectName(name);
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            added->addSeparator();
            continue;
        }
        QAction* action = added->addAction(item.text);
        action->setObjectName(item.name);
        menu.actions.insert(item.id, action);
    }
    menu.menus.append(added);
}

void addTopItem(QMenuBar* bar, const MenuItem& item, MainMenu& menu) {
    QAction* action = bar->addAction(item.text);
    action->setObjectName(item.name);
    menu.actions.insert(item.id, action);
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
    bar->setObjectName(kMainMenuName);
    MainMenu menu;
    addMenu(bar, "File", "menuFile", kFileMenu, menu);
    addTopItem(bar, {kDevice, "Device", "menuDevice"}, menu);
    addMenu(bar, "Operation", "menuOperation", kOperationMenu, menu);
    addMenu(bar, "Help", "menuHelp", kHelpMenu, menu);
    addTopItem(bar, {kAbout, "About", "menuAbout"}, menu);
    return menu;
}

}  // namespace vexlor::gui
