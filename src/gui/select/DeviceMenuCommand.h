#pragma once

#include <QWidget>
#include <functional>

#include "core/app/AppContext.h"
#include "core/base/Operator.h"

namespace vexlor {

// What the Device command needs of the main window beyond the application context.
struct DeviceCommandWindow {
    // The loaded file is dropped: the hex view goes blank.
    std::function<void()> blankHexView;
    // Shows the job, panel and title text now.
    std::function<void()> refreshPanel;
    // Display Serial Number was chosen: the serial-number Set dialog, with data.
    std::function<void(bool exhvIsp, bool isp)> openSerialNumberSet;
};

// The Device menu command: runs the one IC Type Select dialog (created here as a child of the
// window, so it lives as long as the window) and hands the result to the window.
std::function<void()> MakeDeviceMenuCommand(QWidget* window, AppContext& context, Operator& op,
                                            DeviceCommandWindow hooks);

}  // namespace vexlor
