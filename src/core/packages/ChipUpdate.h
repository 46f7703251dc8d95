#pragma once

#include <filesystem>

#include "core/base/Operator.h"
#include "core/packages/PackageResult.h"

namespace vexlor {

// The "Update Chip" command: the operator chooses a package, which is then applied.
PackageResult OnUpdateChip(Operator& op, const std::filesystem::path& programDirectory,
                           const std::filesystem::path& tempParent);

// Unpacks the chip-update package into a private directory below tempParent, applies its file
// list to the program directory and removes the directory again, whatever happened. Tells the
// operator the result.
PackageResult UpdateChipFromPackage(Operator& op, const std::filesystem::path& package,
                                    const std::filesystem::path& programDirectory,
                                    const std::filesystem::path& tempParent);

}  // namespace vexlor
