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

OptionChoices InitialOptionChoices(std::string_view chipName, const JobState& job) {
    OptionChoices choices = PresetOptionChoices(chipName);
    if (job.optionChoicesChip != chipName) {
        return choices;
    }
    for (auto pair : {&OptionChoices::protect, &OptionChoices::mode, &OptionChoices::clock}) {
        if (choices.*pair != -1 && job.optionChoices.*pair != -1) {
            choices.*pair = job.optionChoices.*pair;
        }
    }
    return choices;
}

std::uint32_t OptionWordAfterSelect(std::string_view chipName, std::uint32_t word,
                                    const OptionChoices& c) {
    const std::uint32_t unprotect = c.protect == 0 ? 1 : 0;
    if (isOneOf(kProtectOnlyChips, chipName)) {
        return word | unprotect;
    }
    if (isOneOf(kProtectBitChips, chipName)) {
        return (word | unprotect) & 1u;
    }
    const std::uint32_t fast = c.mode == 0 ? 1 : 0;
    const std::uint32_t clockOff = c.clock == 0 ? 1 : 0;
    return word | unprotect | fast * 2 | clockOff * 4;
}

}  // namespace vexlor
