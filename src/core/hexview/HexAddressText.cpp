#include "core/hexview/HexAddressText.h"

#include "core/base/Diagnostics.h"

namespace vexlor {

std::string rowLengthProfileSection(int parentControlId) {
    return format("%s-SCBar-%d", "Application state\\Dockbar\\", parentControlId);
}

}  // namespace vexlor
