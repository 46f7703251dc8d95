#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vexlor {

// The three choices of the Option Select dialog: protect (0 Unprotect, 1 Protect), mode
// (0 Fast, 1 Dual) and clock (0 32KHz disable, 1 enable); -1 hides a pair.
struct OptionChoices {
    std::int32_t protect = 0;
    std::int32_t mode = 0;
    std::int32_t clock = 0;

    bool operator==(const OptionChoices&) const = default;
};

// What the Fuse group shows, one value per pair: -1 hides the pair, 0 checks its second box
// ("Protect", "Dual mode", "32KHz enable"), any other value its first box.
struct FuseValues {
    std::int32_t protect = -1;
    std::int32_t mode = -1;
    std::int32_t clock = -1;

    bool operator==(const FuseValues&) const = default;
};

using OptionHeader = std::array<std::uint8_t, 512>;

// The dialog numbers its choices the other way round from the boxes; these two translate, so
// a choice and the box that shows it always name the same thing.
FuseValues FuseValuesFromChoices(const OptionChoices& choices);
OptionChoices ChoicesFromFuseValues(const FuseValues& values);

// The boxes the option bytes of a job stand for, by the chip's protect layout; nullopt for
// the layouts whose bits the Fuse group does not show. A set bit means "Unprotect" ("Fast
// mode", "32KHz disable") except in layout 3 and the two-bit layout 9.
std::optional<FuseValues> FuseValuesFromHeader(std::int32_t setProtectMode,
                                               const OptionHeader& header);

}  // namespace vexlor
