#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/app/FuseChoices.h"
#include "core/app/JobState.h"
#include "core/app/PanelState.h"
#include "core/chipdb/ChipDisplayInfo.h"
#include "core/chipdb/OperationVisibility.h"

namespace vexlor {

// The three mode labels from the job's modes.
void ShowModeLabels(const JobState& job, PanelState& panel);
void HideModeLabels(PanelState& panel);

void DisableOperationButtons(PanelState& panel);
void EnableOperationButtons(const JobState& job, PanelState& panel);

// The writer is gone or not there: nothing can be operated and there is no pin picture.
void DisableEverythingOfTheWriter(PanelState& panel);

// One value per pair (protect, mode, clock): -1 hides the pair, 0 checks the second box, any
// other value the first.
void SetFuseBoxes(PanelState& panel, std::int32_t protectValue, std::int32_t modeValue,
                  std::int32_t clockValue);
void SetFuseBoxes(PanelState& panel, const FuseValues& values);
// All six boxes unchecked, visibility left as it is.
void ResetFuseBoxes(PanelState& panel);
void ShowFuseBoxesForChip(const ChipDisplayInfo& chip, PanelState& panel);

// The fuse boxes a restored job shows, by the chip's protect layout; returns them, or nullopt
// (boxes untouched) for the layouts the group does not show.
std::optional<FuseValues> FuseBoxesFromHeader(std::int32_t setProtectMode,
                                              const OptionHeader& header, PanelState& panel);

// Shows the operation buttons the table switches on ("1") and hides the others it names, up to
// the entry with an empty name.
void ApplyOperationVisibility(const OperationVisibilityTable& table, PanelState& panel);

struct MenuStates {
    bool loadFile = false;
    bool saveAs = false;
    bool exportSetting = false;
    bool device = false;
    bool updateFirmware = false;
    bool readHardwareId = false;
    bool readSerialInfo = false;
    bool serialNumberProgram = false;
    bool compareFile = false;
    bool setProtect = false;
    bool readChipInfo = false;

    bool operator==(const MenuStates&) const = default;
};

MenuStates EvaluateMenuStates(const JobState& job, const ChipDisplayInfo& chip,
                              bool writerConnected, const OptionHeader& header);

}  // namespace vexlor
