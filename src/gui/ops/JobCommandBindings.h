#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Diagnostics.h"
#include "core/base/Operator.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/Writer.h"

namespace vexlor {

// What the job commands need of the main window beyond the application context.
struct JobCommandWindow {
    QWidget* window;
    Writer& writer;
    OperationButtons& buttons;
    // Shows the job, panel and title text now.
    std::function<void()> refreshPanel;
    // An empty path blanks the hex view.
    std::function<void(const QString& path)> showFile;
    // Where converter plugins are looked for.
    std::vector<std::filesystem::path> converterDirectories;
    // Called after every load that succeeded (menu or drop).
    std::function<void()> afterLoad = [] {};
    // Where the readers' diagnostic lines go.
    Diagnostics diagnostics{};
};

// The window's job commands: Load File, the five operation buttons, Set Protect, Read Chip Info
// and Compare File (by command or control id) and the handler of dropped files.
struct JobCommandTable {
    std::vector<std::pair<int, std::function<void()>>> commands;
    std::function<void(const std::vector<std::string>& paths)> drop;
};

// The settings key of the folder Load File opens in.
inline constexpr const char* kProgramFolderSetting = "LoadFile/folder";

// Takes the folder of the last program file from the settings; the commands put it back after
// every load.
JobCommandTable MakeJobCommands(AppContext& context, Operator& op, JobCommandWindow window);

}  // namespace vexlor
