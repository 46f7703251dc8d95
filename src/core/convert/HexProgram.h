#pragma once

#include <filesystem>
#include <optional>

#include "core/convert/ConversionJob.h"
#include "core/convert/HexImage.h"

namespace vexlor {

// Converts the job's HEX program file into imagePath for a converter and returns the image. A file
// that fails only its record checksums or end-of-file record goes on when the job's DamagedHex rule
// (or the operator, asked) accepts it. A refusal is shown with the file, line and reason; nullopt
// then.
std::optional<Bytes> convertProgramHex(const ConversionJob& job, ConversionOutput& out,
                                       const std::filesystem::path& imagePath, HexImageRules rules);

}  // namespace vexlor
