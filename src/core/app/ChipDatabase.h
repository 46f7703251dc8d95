#pragma once

#include <string>
#include <string_view>

#include "core/chipdb/ChipDisplayInfo.h"
#include "core/chipdb/ICInfo.h"

namespace vexlor {

// The chip-database document as the job restore uses it.
class ChipDatabase {
  public:
    virtual ~ChipDatabase() = default;
    // Whether the name starts with the two characters of one of the catalogue's chip families.
    virtual bool isChipFamilyName(std::string_view chipName) const = 0;
    virtual void ReadChipDisplayInfo(const std::string& chipName) = 0;
    // Whether the chip's parameter file was read.
    virtual bool ReadICInfo(const std::string& chipName) = 0;
    virtual const ChipDisplayInfo& displayInfo() const = 0;
    virtual const ICInfo& icInfo() const = 0;
};

}  // namespace vexlor
