#pragma once

#include <filesystem>
#include <string>

#include "core/base/Operator.h"
#include "core/packages/PackageResult.h"

namespace vexlor {

inline constexpr const char* kBufferDataFile = "buffer_data.prog";
inline constexpr const char* kBufferOptionFile = "buffer_option.prog";
inline constexpr const char* kExportFilter = "Zip Files (*.zip)|*.zip|All Files (*.*)|*.*||";

// The "Export Setting" command: the operator chooses where, and the job's two writer buffer
// files from the start directory are packed there.
PackageResult OnExportSetting(Operator& op, const std::filesystem::path& startDirectory);
// Packs the two buffer files. Empty result: written; otherwise why not.
std::string ExportSetting(const std::filesystem::path& startDirectory,
                          const std::filesystem::path& package);

// Unpacks a job package (the two buffer files an export wrote) into the start directory. Both
// files are replaced together or neither is. Empty result: done; otherwise the message for the
// operator.
std::string ExtractJobPackage(const std::filesystem::path& package,
                              const std::filesystem::path& startDirectory);

}  // namespace vexlor
