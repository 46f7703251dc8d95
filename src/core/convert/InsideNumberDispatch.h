#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/convert/ConversionJob.h"
#include "core/convert/FamilyConverters.h"

namespace vexlor {

// Converts with the family converter of the chip's internal number and then stamps the
// writer-model byte into buffer_option.prog. Returns 0 when the family converter succeeded,
// else 1; an unknown number prints "No support !" and gives 1.
int ConvertByInsideNumber(std::uint32_t insideNumber, const ConversionJob& job,
                          ConversionOutput& out);

// The chip name the dispatcher serves for an internal number, if any.
std::optional<std::string_view> chipOfInsideNumber(std::uint32_t insideNumber);

// The constants of the configuration-word and EEPROM family converters, for readers that have
// to lay out a file as those converters do.
std::optional<ConfigWordFamily> configWordFamilyOf(std::uint32_t insideNumber);
std::optional<EepromFamily> eepromFamilyOf(std::uint32_t insideNumber);

}  // namespace vexlor
