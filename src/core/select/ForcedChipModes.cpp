#include "core/select/ForcedChipModes.h"

#include <algorithm>

namespace vexlor {

bool IsForcedExHvIspChip(std::string_view chipName) {
    return std::ranges::find(ForcedExHvIspChips, chipName) != ForcedExHvIspChips.end();
}

bool IsForcedIspChip(std::string_view chipName) {
    return std::ranges::find(ForcedIspChips, chipName) != ForcedIspChips.end();
}

}  // namespace vexlor
