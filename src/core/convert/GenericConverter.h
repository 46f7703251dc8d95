#pragma once

#include <cstddef>

#include "core/convert/ConversionJob.h"

namespace vexlor {

// The model converter: reads the program file as a raw image and writes buffer_data.prog
// (Program_Capacity words) and the 256-byte buffer_option.prog built from the chip record.
// Returns 0, or 1 (serial block), 2 / 3 (buffer files), 5 (program file missing or too
// short), 6 (device ID mismatch); each failure is shown to the operator.
int ConvertGenericFamily(const ConversionJob& job, ConversionOutput& out);

// The furthest byte of the program file the model converter reads.
std::size_t modelConverterReadLength(const ICInfo& ic);

// One-byte voltage and delay codes of the option header.
std::uint8_t voltageCode(float volts);
std::uint8_t delayCode(std::int32_t delay);

}  // namespace vexlor
