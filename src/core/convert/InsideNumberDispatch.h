#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/convert/ConversionJob.h"

namespace vexlor {

// Converts with the family converter of the chip's internal number and then stamps the
// writer-model byte into buffer_option.prog. Returns 0 when the family converter succeeded,
// else 1; an unknown number prints "No support !" and gives 1.
int ConvertByInsideNumber(std::uint32_t insideNumber, const ConversionJob& job,
                          ConversionOutput& out);

// The chip name the dispatcher serves for an internal number, if any.
std::optional<std::string_view> chipOfInsideNumber(std::uint32_t insideNumber);

}  // namespace vexlor
