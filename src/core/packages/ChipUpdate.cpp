#include "core/packages/ChipUpdate.h"

#include <optional>
#include <string>

#include "core/base/Diagnostics.h"
#include "core/chipdb/XmlFile.h"
#include "core/convert/FileFilters.h"
#include "core/packages/PackagePaths.h"
#include "core/packages/PrivateTempDir.h"
#include "core/packages/UpdateList.h"
#include "core/packages/ZipArchive.h"

namespace vexlor {

namespace {

constexpr const char* kUpdateFail = "Update chip fail !";

PackageResult failWith(Operator& op, const std::string& reason, PackageResult result) {
    op.message(reason.empty() ? kUpdateFail : std::string(kUpdateFail) + "\n" + reason);
    return result;
}

// Only checked names reach here, so every file lands inside the directory.
std::string unpackInto(const std::filesystem::path& directory, const std::vector<ZipItem>& items) {
    for (const ZipItem& item : items) {
        const std::filesystem::path file = directory / RelativePathOf(item.name);
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        if (error || !writeFileBytes(file, item.data)) {
            return format("%s cannot be unpacked into %s.", item.name.c_str(),
                          directory.string().c_str());
        }
    }
    return {};
}

// The first "*.xml" directly in the directory, by name.
std::optional<std::filesystem::path> firstListFile(const std::filesystem::path& directory) {
    std::optional<std::filesystem::path> first;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() == ".xml" && IsReadableFile(path) &&
            (!first || path.filename() < first->filename())) {
            first = path;
        }
    }
    return first;
}

}  // namespace

PackageResult OnUpdateChip(Operator& op, const std::filesystem::path& programDirectory,
                           const std::filesystem::path& tempParent) {
    const std::optional<std::string> chosen = op.chooseOpenFile(kZipFilter);
    if (!chosen) {
        return PackageResult::Cancelled;
    }
    return UpdateChipFromPackage(op, *chosen, programDirectory, tempParent);
}

PackageResult UpdateChipFromPackage(Operator& op, const std::filesystem::path& package,
                                    const std::filesystem::path& programDirectory,
                                    const std::filesystem::path& tempParent) {
    if (!IsReadableFile(package)) {
        op.message(format("%s open file error\n", package.string().c_str()));
        return PackageResult::BadPackage;
    }
    const ZipContents contents = ReadZipFile(package, kUpdatePackagePassword);
    if (!contents.ok()) {
        return failWith(op, contents.problem, PackageResult::BadPackage);
    }
    const PrivateTempDir extraction(tempParent, "vexlor-update-");
    if (!extraction.made()) {
        return failWith(op,
                        format("No private folder can be made in %s.", tempParent.string().c_str()),
                        PackageResult::WriteFailed);
    }
    if (std::string problem = unpackInto(extraction.path(), contents.items); !problem.empty()) {
        return failWith(op, problem, PackageResult::WriteFailed);
    }
    const std::optional<std::filesystem::path> list = firstListFile(extraction.path());
    if (!list) {
        return failWith(op, "Can not find chip information file", PackageResult::BadPackage);
    }
    const UpdateListOutcome applied = ApplyUpdateList(op, *list, programDirectory);
    if (applied.result != PackageResult::Ok) {
        return failWith(op, applied.problem, applied.result);
    }
    op.message("Update chip success !");
    return PackageResult::Ok;
}

}  // namespace vexlor
