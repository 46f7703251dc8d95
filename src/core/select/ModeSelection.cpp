#include "core/select/ModeSelection.h"

#include "core/select/ForcedChipModes.h"
#include "core/select/ProductionLimitCount.h"

namespace vexlor {

std::int32_t ModeKey(const ChipDisplayInfo& keys, ModeBox box) {
    switch (box) {
        case ModeBox::DisplaySerialNumber:
            return keys.RollingCode;
        case ModeBox::MassProduction:
            return keys.MassProduction;
        case ModeBox::ProductionLimit:
            return keys.ProductionLimit;
        case ModeBox::ExHvIspProgram:
            return keys.ExHVISP;
        case ModeBox::IspProgram:
            return keys.ISP;
        case ModeBox::WholeChipErase:
            return keys.EraseMode;
    }
    return 0;
}

const char* ModeName(ModeBox box) {
    switch (box) {
        case ModeBox::DisplaySerialNumber:
            return "Display Serial Number";
        case ModeBox::MassProduction:
            return "Mass Production Mode";
        case ModeBox::ProductionLimit:
            return "Production Limit";
        case ModeBox::ExHvIspProgram:
            return "EXHV ISP Program";
        case ModeBox::IspProgram:
            return "ISP Program";
        case ModeBox::WholeChipErase:
            return "Whole Chip Erase";
    }
    return "";
}

void ModeSelection::resetData() {
    data_ = ModeData{};
}

void ModeSelection::setAllowed(ModeBox box) {
    controls_[box] = BoxControl{false, ModeKey(keys_, box) != 0};
}

void ModeSelection::reenableWhenAllowed(ModeBox box, std::int32_t key) {
    if (key != 0) {
        controls_[box].enabled = true;
    }
}

void ModeSelection::applyChipSpecialCases(const ChipDisplayInfo& keys, std::string_view chipName) {
    keys_ = keys;
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        setAllowed(static_cast<ModeBox>(i));
    }
    controls_.countEnabled = false;

    // A forced mode is checked exactly as the operator's click would check it, so the other
    // ISP mode is greyed too and cannot be added to, or later release, the forced one.
    if (keys.ExHVISP != 0 && IsForcedExHvIspChip(chipName)) {
        controls_[ModeBox::ExHvIspProgram] = BoxControl{true, false};
        controls_[ModeBox::IspProgram].enabled = false;
    }
    if (keys.ISP != 0 && IsForcedIspChip(chipName)) {
        controls_[ModeBox::IspProgram] = BoxControl{true, false};
        controls_[ModeBox::ExHvIspProgram].enabled = false;
    }
    // The data follow at once, so a forced mode is already set when the dialog opens on the chip.
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        data_.states[i] = controls_.boxes[i].checked ? 1 : 0;
    }
}

void ModeSelection::click(ModeBox box, bool checked) {
    controls_[box].checked = checked;
    data_[box] = checked ? 1 : 0;
    switch (box) {
        case ModeBox::ExHvIspProgram:
            if (checked) {
                controls_[ModeBox::IspProgram].enabled = false;
            } else {
                controls_[ModeBox::IspProgram].enabled = keys_.ISP != 0;
            }
            break;
        case ModeBox::IspProgram:
            if (checked) {
                controls_[ModeBox::ExHvIspProgram].enabled = false;
            } else {
                reenableWhenAllowed(ModeBox::ExHvIspProgram, keys_.ExHVISP);
            }
            break;
        case ModeBox::DisplaySerialNumber:
            if (checked) {
                controls_[ModeBox::MassProduction].enabled = false;
                controls_[ModeBox::ProductionLimit].enabled = false;
            } else {
                reenableWhenAllowed(ModeBox::MassProduction, keys_.MassProduction);
                reenableWhenAllowed(ModeBox::ProductionLimit, keys_.ProductionLimit);
            }
            break;
        case ModeBox::MassProduction:
            if (checked) {
                controls_[ModeBox::DisplaySerialNumber].enabled = false;
                controls_[ModeBox::ProductionLimit].enabled = false;
            } else {
                reenableWhenAllowed(ModeBox::DisplaySerialNumber, keys_.RollingCode);
                reenableWhenAllowed(ModeBox::ProductionLimit, keys_.ProductionLimit);
            }
            break;
        case ModeBox::ProductionLimit:
            if (checked) {
                controls_[ModeBox::DisplaySerialNumber].enabled = false;
                controls_[ModeBox::MassProduction].enabled = false;
            } else {
                reenableWhenAllowed(ModeBox::DisplaySerialNumber, keys_.RollingCode);
                reenableWhenAllowed(ModeBox::MassProduction, keys_.MassProduction);
            }
            controls_.countEnabled = checked;
            break;
        case ModeBox::WholeChipErase:
            break;
    }
}

void ModeSelection::showData() {
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        controls_.boxes[i].checked = data_.states[i] != 0;
    }
    controls_.countText = std::to_string(data_.productionLimitCount);
}

std::optional<std::string> ModeSelection::takeData() {
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        data_.states[i] = controls_.boxes[i].checked ? 1 : 0;
    }
    CountEntry count = ParseProductionLimitCount(controls_.countText);
    if (!count.accepted) {
        return std::move(count.refusal);
    }
    data_.productionLimitCount = count.value;
    return std::nullopt;
}

}  // namespace vexlor
