#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "core/chipdb/ICInfo.h"

namespace vexlor {

// The value form follows from the field's type: text, decimal (signed), hexadecimal (unsigned,
// read with ParseHexText) or fraction.
using ICInfoField = std::variant<std::string ICInfo::*, std::int32_t ICInfo::*,
                                 std::uint32_t ICInfo::*, float ICInfo::*>;

// One key of the IC information file: the section it must sit in, the voltage group inside
// DAC_Set_Voltage (null elsewhere), its name and the field it fills.
struct ICInfoKey {
    const char* section;
    const char* group;
    const char* name;
    ICInfoField field;
};

// Every single-valued key, in the order of the record. Device_ID, a list, is not among them.
std::span<const ICInfoKey> ICInfoKeys();

}  // namespace vexlor
