#pragma once

#include <cstdint>
#include <optional>

#include "core/hexview/HexViewLayout.h"

namespace vexlor {

// The byte, column and hex digit under a client point.
struct HexHit {
    std::int64_t index = 0;
    EditMode mode = EditMode::None;
    int nibble = kHighNibble;
};

// Nothing when the point lies outside every column, below the whole lines or past the data.
std::optional<HexHit> hitTest(const HexViewLayout& layout, std::int64_t top, int x, int y);

}  // namespace vexlor
