#include "gui/serial/SerialCommandBindings.h"

#include <QPointer>
#include <memory>

#include "core/app/PanelRules.h"
#include "core/serial/SerialCommands.h"
#include "gui/app/CommandIds.h"
#include "gui/serial/CSerialProgramDlg.h"
#include "gui/serial/CSerialSetDlg.h"

namespace vexlor {

namespace {

// Lives as long as the window's handlers that share it.
struct SerialCommandState {
    SerialCommandState(AppContext& c, Operator& o, SerialCommandWindow w)
        : context(c), op(o), window(std::move(w)) {}

    SerialProgramServices programServices(std::function<void()> closed) {
        return {context, window.writer, op, window.buttons, window.notices, std::move(closed)};
    }
    CSerialSetDlg::LoadFn loadFn() {
        return [this](SerialSetModel& model) {
            return model.load(SerialLoadTargetOf(context, window.writer, op));
        };
    }

    AppContext& context;
    Operator& op;
    SerialCommandWindow window;
    // Load File's modeless instance, kept for the window's life.
    QPointer<CSerialProgramDlg> loadInstance;
};

void runProgramDialog(SerialCommandState& s) {
    JobState& job = s.context.shell.job;
    CSerialProgramDlg dialog(s.programServices({}), job.chipNameText, false, s.window.window);
    dialog.exec();
    job.serialNumberProgram = s.context.serial.loadedToWriter ? 1 : 0;
    ShowModeLabels(job, s.context.shell.panel);
    s.window.refreshPanel();
}

void readSerialInfo(SerialCommandState& s) {
    ReadSerialInfo(s.context, s.window.writer, s.op, [&s] {
        CSerialSetDlg shown(s.context.serial, {}, s.op, s.loadFn(), s.window.window);
        shown.exec();
    });
}

void afterLoad(SerialCommandState& s) {
    const JobState& job = s.context.shell.job;
    if (!s.loadInstance) {
        s.loadInstance =
            new CSerialProgramDlg(s.programServices([&s] {
                ShowModeLabels(s.context.shell.job, s.context.shell.panel);
                s.window.refreshPanel();
            }),
                                  job.chipNameText, job.displaySerialNumber != 0, s.window.window);
    }
    s.loadInstance->afterLoad(job.chipNameText);
    if (HoldChipButtonsForSerialRun(s.context.shell)) {
        s.window.refreshPanel();
        s.loadInstance->show();
        s.loadInstance->raise();
    }
}

}  // namespace

SerialCommandTable MakeSerialCommands(AppContext& context, Operator& op,
                                      SerialCommandWindow window) {
    auto state = std::make_shared<SerialCommandState>(context, op, std::move(window));
    SerialCommandTable table;
    table.commands = {
        {gui::kSerialNumberProgram, [state] { runProgramDialog(*state); }},
        {gui::kReadSerialInfo, [state] { readSerialInfo(*state); }},
    };
    table.openSetWithData = [state](bool exhvIsp, bool isp) {
        CSerialSetDlg set(state->context.serial, {true, exhvIsp, isp}, state->op, state->loadFn(),
                          state->window.window);
        set.exec();
    };
    table.afterLoad = [state] { afterLoad(*state); };
    return table;
}

}  // namespace vexlor
