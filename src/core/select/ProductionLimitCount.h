#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlor {

inline constexpr std::int32_t kMinProductionLimitCount = 1;
inline constexpr std::int32_t kMaxProductionLimitCount = 99999999;

// The production-limit count as typed: either a value in range or the refusal to show.
struct CountEntry {
    bool accepted = false;
    std::int32_t value = 0;
    std::string refusal;
};

// Blanks around the number and a sign are allowed; anything else is not an integer.
CountEntry ParseProductionLimitCount(std::string_view text);

}  // namespace vexlor
