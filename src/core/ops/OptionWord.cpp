#include "core/ops/OptionWord.h"

#include <algorithm>
#include <array>

namespace vexlor {

namespace {

// Chips whose word takes the protect choice only.
constexpr std::array<std::string_view, 2> kProtectOnlyChips{"QRV7371", "QRV7038"};
// Chips whose word is the protect choice alone.
constexpr std::array<std::string_view, 3> kProtectBitChips{"QR64G98", "QR64S27", "QR6401"};

template <std::size_t N>
bool isOneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

OptionChoices PresetOptionChoices(std::string_view chipName) {
    if (isOneOf(kProtectOnlyChips, chipName) || isOneOf(kProtectBitChips, chipName)) {
        return {0, -1, -1};
    }
    return {0, 0, 0};
}

std::uint32_t OptionWordAfterSelect(std::string_view chipName, std::uint32_t word,
                                    const OptionChoices& c) {
    const auto b0 = static_cast<std::uint32_t>(c.protect);
    if (isOneOf(kProtectOnlyChips, chipName)) {
        return word | b0;
    }
    if (isOneOf(kProtectBitChips, chipName)) {
        return (word | b0) & 1u;
    }
    const auto b1 = static_cast<std::uint32_t>(c.mode);
    const auto b2 = static_cast<std::uint32_t>(c.clock);
    return word | b0 | b1 * 2 | b2 * 4;
}

}  // namespace vexlor
