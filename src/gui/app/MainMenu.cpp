#include "gui/app/MainMenu.h"

#include <QAction>
#include <QMenuBar>

#include "gui/app/CommandIds.h"

namespace vexlor::gui {

namespace {

// An ampersand marks the item's mnemonic; each is unique within its menu.
struct MenuItem {
    int id;  // 0: a separator
    const char* text;
    const char* name;
    const char* shortcut = nullptr;
};

constexpr MenuItem kFileMenu[] = {{kLoadFile, "&Load File", "menuLoadFile", "Ctrl+O"},
                                  {kSaveAs, "&Save As...", "menuSaveAs"},
                                  {kExportSetting, "&Export Setting", "menuExportSetting"},
                                  {0, nullptr, nullptr},
                                  {kExit, "E&xit", "menuExit", "Ctrl+Q"}};
constexpr MenuItem kOperationMenu[] = {
    {kUpdateFirmware, "&Update F/W", "menuUpdateFirmware"},
    {kSerialNumberProgram, "&Serial Number Program", "menuSerialNumberProgram"},
    {kCompareFile, "&Compare File", "menuCompareFile"},
    {kSetProtect, "Set &Protect", "menuSetProtect"},
    {kReadChipInfo, "&Read Chip Info", "menuReadChipInfo"}};
constexpr MenuItem kHelpMenu[] = {
    {kUserManual, "&User Manual", "menuUserManual"},
    {kCheckNewVersion, "&Check New Version", "menuCheckNewVersion"},
    {kReadHardwareId, "Read &Hardware ID", "menuReadHardwareId"},
    {kReadSerialInfo, "Read S/&N Info", "menuReadSerialInfo"},
    {kResetWriterFirmware, "R&eset Writer F/W", "menuResetWriterFirmware"},
    {kWriterSimpleTest, "&Writer Simple Test", "menuWriterSimpleTest"},
    {kUpdateChip, "Update Chi&p", "menuUpdateChip"}};

QAction* addItem(QWidget* to, const MenuItem& item, MainMenu& menu) {
    auto* action = new QAction(item.text, to);
    to->addAction(action);
    action->setObjectName(item.name);
    if (item.shortcut != nullptr) {
        action->setShortcut(QKeySequence(item.shortcut));
    }
    menu.actions.insert(item.id, action);
    return action;
}

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
        addItem(added, item, menu);
    }
    menu.menus.append(added);
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
    bar->setObjectName(kMainMenuName);
    MainMenu menu;
    addMenu(bar, "&File", "menuFile", kFileMenu, menu);
    addItem(bar, {kDevice, "&Device", "menuDevice"}, menu);
    addMenu(bar, "&Operation", "menuOperation", kOperationMenu, menu);
    addMenu(bar, "&Help", "menuHelp", kHelpMenu, menu);
    addItem(bar, {kAbout, "&About", "menuAbout"}, menu);
    return menu;
}

}  // namespace vexlor::gui
