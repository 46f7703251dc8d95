#include "core/app/PanelRules.h"

namespace vexlor {

namespace {

constexpr ControlId kOperationButtons[] = {
    ControlId::Auto, ControlId::BlankCheck, ControlId::Program,    ControlId::Verify,
    ControlId::Read, ControlId::WriterTest, ControlId::SmartOption};

void showLabel(PanelState& panel, ControlId id, const char* text) {
    panel[id].text = text;
    panel.show(id, true);
}

void setPair(PanelState& panel, ControlId first, ControlId second, std::int32_t value) {
    bool shown = value != -1;
    panel.show(first, shown);
    panel.show(second, shown);
    if (!shown) {
        return;
    }
    panel[first].checked = value != 0;
    panel[second].checked = value == 0;
}

}  // namespace

void ShowModeLabels(const JobState& job, PanelState& panel) {
    if (job.wholeChipErase) {
        showLabel(panel, ControlId::EraseModeLabel, "Whole Chip Erase");
    } else {
        panel.show(ControlId::EraseModeLabel, false);
    }

    if (job.exhvIspProgram) {
        showLabel(panel, ControlId::IspModeLabel, "EXHV ISP Program");
    } else if (job.ispProgram) {
        showLabel(panel, ControlId::IspModeLabel, "ISP Program");
    } else {
        panel.show(ControlId::IspModeLabel, false);
    }

    if (job.displaySerialNumber) {
        showLabel(panel, ControlId::JobModeLabel, "Display Serial Number");
    } else if (job.serialNumberProgram) {
        showLabel(panel, ControlId::JobModeLabel, "Serial Number Program");
    } else if (job.massProduction == 1) {
        showLabel(panel, ControlId::JobModeLabel, "Mass Production Mode");
    } else if (job.productionLimit == 1 || job.massProduction == 0x11) {
        showLabel(panel, ControlId::JobModeLabel, "Production Limit");
    } else {
        panel.show(ControlId::JobModeLabel, false);
    }
}

void HideModeLabels(PanelState& panel) {
    panel.show(ControlId::EraseModeLabel, false);
    panel.show(ControlId::IspModeLabel, false);
    panel.show(ControlId::JobModeLabel, false);
}

void DisableOperationButtons(PanelState& panel) {
    for (ControlId id : kOperationButtons) {
        panel.enable(id, false);
    }
}

void EnableOperationButtons(const JobState& job, PanelState& panel) {
    if (!job.displaySerialNumber) {
        panel.enable(ControlId::Auto, true);
        bool limited = job.massProduction != 0 || job.productionLimit != 0;
        panel.enable(ControlId::BlankCheck, !limited);
        panel.enable(ControlId::Program, !limited);
        panel.enable(ControlId::Verify, !limited);
    }
    panel.enable(ControlId::Read, true);
    panel.enable(ControlId::WriterTest, true);
    panel.enable(ControlId::SmartOption, job.smartOptionAvailable != 0);
}

void DisableEverythingOfTheWriter(PanelState& panel) {
    DisableOperationButtons(panel);
    panel.enable(ControlId::PinPlacement, false);
    panel.enable(ControlId::PinPicture, false);
    panel.pinPicturePath.clear();
}

void SetFuseBoxes(PanelState& panel, std::int32_t protectValue, std::int32_t modeValue,
                  std::int32_t clockValue) {
    setPair(panel, ControlId::Unprotect, ControlId::Protect, protectValue);
    setPair(panel, ControlId::FastMode, ControlId::DualMode, modeValue);
    setPair(panel, ControlId::Clock32kDisable, ControlId::Clock32kEnable, clockValue);
}

void ResetFuseBoxes(PanelState& panel) {
    for (ControlId id :
         {ControlId::Unprotect, ControlId::Protect, ControlId::FastMode, ControlId::DualMode,
          ControlId::Clock32kDisable, ControlId::Clock32kEnable}) {
        panel[id].checked = false;
    }
}

void ShowFuseBoxesForChip(const ChipDisplayInfo& chip, PanelState& panel) {
    bool protectShown = false;
    bool othersShown = false;
    switch (chip.FuseCheckBoxDisplay) {
        case 1:
            protectShown = othersShown = true;
            break;
        case 2:
            protectShown = true;
            break;
        case 3:
            break;
        default:
            return;
    }
    ResetFuseBoxes(panel);
    panel.show(ControlId::Unprotect, protectShown);
    panel.show(ControlId::Protect, protectShown);
    for (ControlId id : {ControlId::FastMode, ControlId::DualMode, ControlId::Clock32kDisable,
                         ControlId::Clock32kEnable}) {
        panel.show(id, othersShown);
    }
}

void SetFuseBoxes(PanelState& panel, const FuseValues& values) {
    SetFuseBoxes(panel, values.protect, values.mode, values.clock);
}

std::optional<FuseValues> FuseBoxesFromHeader(std::int32_t setProtectMode, const OptionHeader& h,
                                              PanelState& panel) {
    const auto values = FuseValuesFromHeader(setProtectMode, h);
    if (values) {
        SetFuseBoxes(panel, *values);
    }
    return values;
}

void ApplyOperationVisibility(const OperationVisibilityTable& table, PanelState& panel) {
    static constexpr std::pair<const char*, ControlId> kButtons[] = {
        {"Auto", ControlId::Auto},
        {"BlankCheck", ControlId::BlankCheck},
        {"Program", ControlId::Program},
        {"Verify", ControlId::Verify},
        {"Read", ControlId::Read}};
    for (const OperationVisibilityEntry& entry : table) {
        if (entry.name.empty()) {
            break;
        }
        for (const auto& [buttonName, id] : kButtons) {
            if (entry.name == buttonName) {
                panel.show(id, entry.value == "1");
            }
        }
    }
}

MenuStates EvaluateMenuStates(const JobState& job, const ChipDisplayInfo& chip,
                              bool writerConnected, const OptionHeader& header) {
    bool chipAndWriter = job.chipSelected() && writerConnected;
    MenuStates m;
    m.loadFile = chipAndWriter;
    // A job converted in this run has its two buffer files ready to be packed.
    m.exportSetting = !job.loadedFilePath.empty();
    m.device = true;
    m.updateFirmware = writerConnected;
    m.readHardwareId = writerConnected;
    m.readSerialInfo = writerConnected;
    m.serialNumberProgram = chip.MenuSerial_Num == 1;
    m.compareFile = chipAndWriter && chip.MenuCompare_File == 1;
    m.setProtect = chipAndWriter && chip.MenuSet_Protect == 1;
    m.readChipInfo = chipAndWriter && job.massProduction == 0 && job.productionLimit == 0 &&
                     header[78] == 0 && chip.MenuRead_ChipInfo == 1;
    return m;
}

}  // namespace vexlor
