#pragma once

#include <cstdint>
#include <optional>

#include "core/app/PanelRules.h"

namespace vexlor {

// The values Set Protect hands to SetFuseBoxes afterwards (-1 hides a pair).
struct FuseValues {
    std::int32_t protect = -1;
    std::int32_t mode = -1;
    std::int32_t clock = -1;

    bool operator==(const FuseValues&) const = default;
};

// Changes the protect bits of the option header, and the smart-option word where the layout
// keeps them there too, by the chip's SetProtectMode. Returns the fuse boxes to show, or
// nullopt for the layouts that show none.
std::optional<FuseValues> ApplyProtectChoice(std::int32_t setProtectMode, bool protect,
                                             OptionHeader& header, std::uint32_t& smartOptionWord);

}  // namespace vexlor
