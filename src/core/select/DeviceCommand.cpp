#include "core/select/DeviceCommand.h"

#include "core/app/JobRestore.h"
#include "core/app/PanelRules.h"
#include "core/select/PackageCode.h"

namespace vexlor {

SavedChipRecords SaveChipRecords(const ReadChipXml& document) {
    return SavedChipRecords{document.icInfo(), document.chipDisplayInfo()};
}

void RestoreChipRecords(const SavedChipRecords& saved, ReadChipXml& document) {
    document.icInfo() = saved.icInfo;
    document.chipDisplayInfo() = saved.chipDisplayInfo;
}

DeviceCommandOutcome TakeChipSelection(const IcTypeSelection& chosen, const ReadChipXml& document,
                                       bool writerConnected, Operator& op, ShellState& shell) {
    JobState& job = shell.job;
    const ModeData& modes = chosen.modes;
    DeviceCommandOutcome outcome;
    outcome.accepted = true;

    // The word of the job held so far describes that job's chip, not a newly chosen one.
    if (job.chipNameText != document.icInfo().ChipName) {
        job.smartOptionWord = kUnknownSystemConfig;
    }
    job.chipNameText = document.icInfo().ChipName;
    shell.titleText = std::string(kInitialTitleText) + job.chipNameText + "  ";
    job.packageCode = DerivePackageCode(shell.chipListSelector, chosen.packageName);
    job.smartOptionAvailable = document.chipDisplayInfo().HaveSmartOPT;

    job.exhvIspProgram = modes[ModeBox::ExHvIspProgram];
    job.ispProgram = modes[ModeBox::IspProgram];
    job.massProduction = modes[ModeBox::MassProduction];
    job.productionLimit = modes[ModeBox::ProductionLimit];
    job.wholeChipErase = modes[ModeBox::WholeChipErase];
    job.productionLimitCount = modes.productionLimitCount;

    // The buttons follow the serial-number flag of the previous job: the new one is stored
    // only below.
    if (writerConnected) {
        EnableOperationButtons(job, shell.panel);
    }
    ShowPinPicture(PinPicturePath(shell.startDirectory, document.icInfo().Inside_Number), op,
                   shell.panel);

    job.checksumText.clear();
    outcome.blankHexView = true;

    job.displaySerialNumber = modes[ModeBox::DisplaySerialNumber];
    if (job.displaySerialNumber == 1) {
        outcome.openSerialNumberSet = true;
        outcome.exhvIspProgram = job.exhvIspProgram == 1;
        outcome.ispProgram = job.ispProgram == 1;
    }
    return outcome;
}

std::optional<CurrentChoice> CurrentChoiceOf(const JobState& job) {
    if (!job.chipSelected()) {
        return std::nullopt;
    }
    CurrentChoice current{job.chipNameText, {}};
    current.modes[ModeBox::DisplaySerialNumber] = job.displaySerialNumber;
    current.modes[ModeBox::MassProduction] = job.massProduction;
    current.modes[ModeBox::ProductionLimit] = job.productionLimit;
    current.modes[ModeBox::ExHvIspProgram] = job.exhvIspProgram;
    current.modes[ModeBox::IspProgram] = job.ispProgram;
    current.modes[ModeBox::WholeChipErase] = job.wholeChipErase;
    current.modes.productionLimitCount = job.productionLimitCount;
    return current;
}

DeviceCommandOutcome RunDeviceCommand(const RunIcTypeSelect& runDialog, ReadChipXml& document,
                                      bool writerConnected, Operator& op, ShellState& shell) {
    shell.chipListSelector = 1;
    const SavedChipRecords saved = SaveChipRecords(document);
    DeviceCommandOutcome outcome;
    if (const std::optional<IcTypeSelection> chosen = runDialog()) {
        outcome = TakeChipSelection(*chosen, document, writerConnected, op, shell);
    } else {
        RestoreChipRecords(saved, document);
    }
    ShowModeLabels(shell.job, shell.panel);
    return outcome;
}

DeviceCommandOutcome RunDeviceCommand(const RunIcTypeSelect& runDialog, AppContext& context,
                                      Operator& op) {
    return RunDeviceCommand(runDialog, context.chipXml, context.link.writerConnected, op,
                            context.shell);
}

DeviceCommandOutcome RunDeviceMenuCommand(const RunIcTypeSelect& runDialog, AppContext& context,
                                          Operator& op) {
    if (!context.link.writerConnected) {
        op.message(kWriterNotConnected, "Message", MessageIcon::Stop);
        return {};
    }
    return RunDeviceCommand(runDialog, context, op);
}

}  // namespace vexlor
