#pragma once

#include <cstdint>

namespace vexlor {

// Rounds towards minus infinity, so that rows above the top keep their place.
inline std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    std::int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0) {
        --quotient;
    }
    return quotient;
}

}  // namespace vexlor
