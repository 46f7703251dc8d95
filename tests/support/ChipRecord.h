#pragma once

#include <cstdint>
#include <string>

#include "core/chipdb/ICInfo.h"

namespace vexlor::test {

// The IC information of a chip known only by its name and internal number; every other
// parameter keeps its reset value.
inline ICInfo chipRecord(const std::string& name, std::uint32_t insideNumber) {
    ICInfo ic;
    ic.ChipName = name;
    ic.Inside_Number = insideNumber;
    return ic;
}

}  // namespace vexlor::test
