#include "gui/select/DeviceMenuCommand.h"

#include <QPointer>

#include "core/select/DeviceCommand.h"
#include "gui/select/CIcTypeSelectDlg.h"

namespace vexlor {

std::function<void()> MakeDeviceMenuCommand(QWidget* window, AppContext& context, Operator& op,
                                            DeviceCommandWindow hooks) {
    // Built on first use: the window shows sooner, and most sessions never open it.
    return [window, dialog = QPointer<CIcTypeSelectDlg>(), &context, &op,
            hooks = std::move(hooks)]() mutable {
        if (dialog.isNull()) {
            dialog = new CIcTypeSelectDlg(context.chipXml, op, window);
        }
        const DeviceCommandOutcome outcome = RunDeviceMenuCommand(
            [&] {
                return dialog->run(context.shell.chipListSelector,
                                   CurrentChoiceOf(context.shell.job));
            },
            context, op);
        if (outcome.blankHexView) {
            hooks.blankHexView();
        }
        hooks.refreshPanel();
        if (outcome.openSerialNumberSet && hooks.openSerialNumberSet) {
            hooks.openSerialNumberSet(outcome.exhvIspProgram, outcome.ispProgram);
        }
    };
}

}  // namespace vexlor
