#include "core/select/ProductionLimitCount.h"

#include <cctype>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

CountEntry refuse(std::string text) {
    return CountEntry{false, 0, std::move(text)};
}

}  // namespace

CountEntry ParseProductionLimitCount(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    const CountEntry outOfRange = refuse(format(
        "Enter an integer between %d and %d.", kMinProductionLimitCount, kMaxProductionLimitCount));
    // An emptied field is a count still to be typed: say which counts are allowed.
    if (text.empty()) {
        return outOfRange;
    }
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return refuse("Enter an integer.");
    }
    // Accumulate with saturation so that a long run of digits is out of range, not wrapped.
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return refuse("Enter an integer.");
        }
        if (magnitude <= kMaxProductionLimitCount) {
            magnitude = magnitude * 10 + (c - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < kMinProductionLimitCount || value > kMaxProductionLimitCount) {
        return outOfRange;
    }
    return CountEntry{true, static_cast<std::int32_t>(value), {}};
}

}  // namespace vexlor
