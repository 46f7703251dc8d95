#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Operator.h"
#include "core/select/DeviceCommand.h"

namespace vexlor {

// A chip and modes asked for without the dialog (command line): the modes are checked in the
// order given, exactly as an operator's clicks would be.
struct ChipRequest {
    std::string chipName;
    std::vector<ModeBox> modes;
    // The count as typed; used only with ModeBox::ProductionLimit among the modes.
    std::optional<std::string> productionLimitCount;
};

struct ChipRequestResult {
    DeviceCommandOutcome outcome;
    // Why nothing was selected; empty when the chip was taken.
    std::string refusal;
    bool unknownChip = false;  // the catalogue has no chip of that name
};

// Runs the Device command with IC Type Select driven to the named chip. A mode the chip's
// keys or the modes already chosen do not allow refuses the whole request, which then leaves
// the previous selection in place, as Cancel does.
ChipRequestResult SelectChipByName(const ChipRequest& request, AppContext& context, Operator& op);

}  // namespace vexlor
