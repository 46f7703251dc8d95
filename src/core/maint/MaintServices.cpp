#include "core/maint/MaintServices.h"

#include "core/app/PanelRules.h"

namespace vexlor {

void ShowMaintenanceLog(MaintServices& s) {
    ShellState& shell = s.context.shell;
    shell.job.loadedFilePath.clear();
    shell.job.chipNameText.clear();
    shell.job.checksumText.clear();
    // The chip has to be selected again afterwards, so its pin picture goes too.
    DisableEverythingOfTheWriter(shell.panel);
    HideModeLabels(shell.panel);
    // Read-only by itself; a disabled edit would grey the results out.
    shell.panel.enable(ControlId::Log, true);
    shell.panel.show(ControlId::Log, true);
    shell.panel.hexViewShown = false;
    s.op.setLogText("");
    s.view.refreshPanel();
}

void ForgetWriterFirmware(WriterLink& link) {
    link.writerFirmwareVersion = 0;
    link.familyFirmwareLoaded = false;
}

}  // namespace vexlor
