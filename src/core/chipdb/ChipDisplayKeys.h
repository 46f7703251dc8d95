#pragma once

#include <cstdint>
#include <span>

#include "core/chipdb/ChipDisplayInfo.h"

namespace vexlor {

// One decimal key of a chip's catalogue entry: the group element it sits in below the chip
// ("ICSelectDisplay", "MenuOperationDisplay", or null directly below the chip), its name and
// the field it fills. FW_File and IC_FileType, the two texts, are not among them.
struct ChipDisplayKey {
    const char* group;
    const char* name;
    std::int32_t ChipDisplayInfo::*field;
};

// In the order of the record.
std::span<const ChipDisplayKey> ChipDisplayKeys();

}  // namespace vexlor
