#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/app/AppContext.h"
#include "core/convert/ConversionJob.h"

namespace vexlor {

// The conversion of a program file for the selected chip with the job's modes, as Load File and
// the command-line tool run it.
ConversionJob MakeConversionJob(const AppContext& context, const std::filesystem::path& programFile,
                                std::uint32_t optionWord);

// Converter plugins are looked for in the base directory, then beside the running program.
std::vector<std::filesystem::path> ConverterDirectories(const std::filesystem::path& base);

}  // namespace vexlor
