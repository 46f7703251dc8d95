#include "gui/select/DeviceMenuCommand.h"

#include <QPointer>

#include "core/select/DeviceCommand.h"
#include "gui/select/CIcTypeSelectDlg.h"

namespace vexlor {

std::function<void()> MakeDeviceMenuCommand(QWidget* window, AppContext& context, Operator& op,
                                            DeviceCommandWindow hooks) {
    QPointer<CIcTypeSelectDlg> dialog = new CIcTypeSelectDlg(context.chipXml, op, window);
    return [dialog, &context, &op, hooks = std::move(hooks)] {
        if (dialog.isNull()) {
            return;
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
