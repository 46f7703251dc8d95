#include "core/app/PanelState.h"

namespace vexlor {

const ControlState& PanelState::at(ControlId id) const {
    static const ControlState untouched;
    auto found = controls_.find(id);
    return found == controls_.end() ? untouched : found->second;
}

}  // namespace vexlor
