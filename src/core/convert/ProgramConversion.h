#pragma once

#include <filesystem>
#include <vector>

#include "core/convert/ConversionJob.h"

namespace vexlor {

// The chip name served by the model converter rather than by a family converter.
inline constexpr const char* kModelConverterChip = "QR64L74M";

// Converts the job's program file into the two buffer files by the chip's path: a converter
// library for the library chip types, the model converter for its chip, the family converter
// of the internal number for every other chip. Returns 0 on success; out.result holds the
// checksum, unprotect flag and description text either way.
int convertProgram(const ConversionJob& job, ConversionOutput& out,
                   const std::vector<std::filesystem::path>& pluginDirectories);

}  // namespace vexlor
