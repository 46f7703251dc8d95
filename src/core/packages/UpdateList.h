#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/Operator.h"
#include "core/packages/PackageResult.h"

namespace vexlor {

// Where a "DestinationPath" names the program directory itself.
inline constexpr const char* kRootMarker = "$$Root$$";

// One "FileItem" of an update package's file list.
struct UpdateFileItem {
    std::string FileName;
    std::string DestinationPath;
    std::string RelativeFilePath_XML;
};

// Every "FileItem" of the "Chip" children of the list's root, in document order. Shows the
// loader's message and gives nothing when the list cannot be loaded.
std::optional<std::vector<UpdateFileItem>> ReadUpdateList(Operator& op,
                                                          const std::filesystem::path& listPath);

// Why the item would read or write outside its folder; empty when it stays inside.
std::string UpdateItemProblem(const UpdateFileItem& item);
// Below the extraction directory and below the program directory; only for items without a
// problem.
std::filesystem::path UpdateItemSource(const UpdateFileItem& item);
std::filesystem::path UpdateItemDestination(const UpdateFileItem& item);

struct UpdateListOutcome {
    PackageResult result = PackageResult::Ok;
    std::string problem;  // empty when Ok, or when the loader has already said it
};

// Copies every file of the list from the extraction directory into the program directory, all
// or none. A file missing from the package is skipped. Unless the result is Ok the program
// directory is as it was.
UpdateListOutcome ApplyUpdateList(Operator& op, const std::filesystem::path& listPath,
                                  const std::filesystem::path& programDirectory);

}  // namespace vexlor
