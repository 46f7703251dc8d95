#include "core/app/JobRestore.h"

#include <filesystem>

#include "core/base/Diagnostics.h"
#include "core/smartopt/OptionSelections.h"

namespace vexlor {

namespace {

constexpr std::size_t kStoredNameLength = 10;

std::string storedChipName(const OptionHeader& header) {
    std::string name;
    for (std::size_t i = 0; i < kStoredNameLength && header[i] != 0; ++i) {
        name.push_back(static_cast<char>(header[i]));
    }
    return name;
}

}  // namespace

std::string PinPicturePath(const std::string& startDirectory, std::uint32_t insideNumber) {
    return format("%s/res/ICPicture/QV%x.jpg", startDirectory.c_str(), insideNumber);
}

void ShowPinPicture(const std::string& path, Operator& op, PanelState& panel) {
    std::error_code error;
    bool found = std::filesystem::is_regular_file(path, error);
    panel.enable(ControlId::PinPlacement, found);
    panel.enable(ControlId::PinPicture, found);
    if (found) {
        panel.pinPicturePath = path;
    } else {
        panel.pinPicturePath.clear();
        op.message("Can't Find PIN Picture!!");
    }
}

bool RestoreJobFromWriter(const OptionHeader& h, ChipDatabase& chips, Operator& op,
                          ShellState& shell) {
    std::string name = storedChipName(h);
    if (name.size() < 2 || !chips.isChipFamilyName(name)) {
        return false;
    }
    JobState& job = shell.job;
    PanelState& panel = shell.panel;

    shell.titleText = "Vexlor_Writer_" + name;
    job.chipNameText = name;
    chips.ReadChipDisplayInfo(name);
    if (chips.ReadICInfo(name)) {
        job.smartOptionAvailable = chips.displayInfo().HaveSmartOPT;
    }

    job.exhvIspProgram = h[76] & 1;
    job.ispProgram = (h[76] >> 1) & 1;
    job.serialMode = h[53] >> 4;
    if (job.serialMode == 1) {
        job.serialNumberProgram = 1;
        job.displaySerialNumber = 0;
    } else if (job.serialMode == 2) {
        job.displaySerialNumber = 1;
        job.serialNumberProgram = 0;
    }
    job.wholeChipErase = h[95] & 1;
    if (h[77] == 0x10) {
        job.smartOptionAvailable = 0;
    }

    ShowPinPicture(PinPicturePath(shell.startDirectory, chips.icInfo().Inside_Number), op, panel);

    switch (h[78] & 0x11) {
        case 0x10:
            job.massProduction = 1;
            job.productionLimit = 0;
            break;
        case 0x11:
            job.massProduction = 0;
            job.productionLimit = 1;
            break;
        default:
            job.massProduction = 0;
            job.productionLimit = 0;
            break;
    }
    if (job.massProduction || job.productionLimit) {
        panel.enable(ControlId::BlankCheck, false);
        panel.enable(ControlId::Program, false);
        panel.enable(ControlId::Verify, false);
    }

    job.checksumText = format("%04X", h[16] * 256 + h[17]);

    panel.enable(ControlId::SmartOption, job.smartOptionAvailable != 0);
    if (job.smartOptionAvailable) {
        job.smartOptionWord = SystemConfigOf(h);
    }

    if (const auto fuses = FuseBoxesFromHeader(chips.displayInfo().SetProtectMode, h, panel)) {
        job.optionChoicesChip = job.chipNameText;
        job.optionChoices = ChoicesFromFuseValues(*fuses);
    }
    return true;
}

void ShowWritersFuseBoxes(const OptionHeader& header, std::int32_t setProtectMode,
                          ShellState& shell) {
    if (storedChipName(header) == shell.job.chipNameText) {
        FuseBoxesFromHeader(setProtectMode, header, shell.panel);
    }
}

}  // namespace vexlor
