#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "core/app/AppContext.h"
#include "core/app/DeviceNoticeGate.h"
#include "core/base/Operator.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/Writer.h"

namespace vexlor {

// What the serial-number commands need of the main window.
struct SerialCommandWindow {
    QWidget* window;
    Writer& writer;
    OperationButtons& buttons;
    // The main window's device notices, held by the modeless Program window's buttons.
    DeviceNoticeGate& notices;
    // Shows the job, panel and mode labels now.
    std::function<void()> refreshPanel;
};

// The window's serial-number commands and the hooks other commands call.
struct SerialCommandTable {
    // "Serial Number Program" (32780) and "Read S/N Info" (32821).
    std::vector<std::pair<int, std::function<void()>>> commands;
    // OK of IC Type Select with Display Serial Number: the Set dialog, with data.
    std::function<void(bool exhvIsp, bool isp)> openSetWithData;
    // After every successful load: the window's modeless Program instance.
    std::function<void()> afterLoad;
};

SerialCommandTable MakeSerialCommands(AppContext& context, Operator& op,
                                      SerialCommandWindow window);

}  // namespace vexlor
