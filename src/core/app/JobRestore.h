#pragma once

#include <cstdint>
#include <string>

#include "core/app/ChipDatabase.h"
#include "core/app/PanelRules.h"
#include "core/app/ShellState.h"
#include "core/base/Operator.h"

namespace vexlor {

// "<startDirectory>/res/ICPicture/QV<inside number in lower-case hex>.jpg".
std::string PinPicturePath(const std::string& startDirectory, std::uint32_t insideNumber);

// Shows the chip's pin picture, or tells the operator it is missing and disables the picture
// controls.
void ShowPinPicture(const std::string& path, Operator& op, PanelState& panel);

// Rebuilds the job from the option header the writer holds. Returns false, changing nothing,
// when the stored name is not one of the catalogue's chip families.
bool RestoreJobFromWriter(const OptionHeader& header, ChipDatabase& chips, Operator& op,
                          ShellState& shell);

// The Fuse group once more from the job the writer holds, when that job is one of the selected
// chip; otherwise the group stays as it is.
void ShowWritersFuseBoxes(const OptionHeader& header, std::int32_t setProtectMode,
                          ShellState& shell);

}  // namespace vexlor
