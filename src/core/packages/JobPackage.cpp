#include "core/packages/JobPackage.h"

#include <array>
#include <optional>

#include "core/base/Diagnostics.h"
#include "core/packages/InstallTransaction.h"
#include "core/packages/ZipArchive.h"

namespace vexlor {

namespace {

constexpr std::array<const char*, 2> kJobFiles{kBufferDataFile, kBufferOptionFile};

// Another archive of two files must not put files of its own choosing into the start
// directory: only the two buffer files, once each, make a job package.
bool holdsTheJobFiles(const std::vector<ZipItem>& items) {
    return items.size() == kJobFiles.size() &&
           ((items[0].name == kJobFiles[0] && items[1].name == kJobFiles[1]) ||
            (items[0].name == kJobFiles[1] && items[1].name == kJobFiles[0]));
}

}  // namespace

std::string ExportSetting(const std::filesystem::path& startDirectory,
                          const std::filesystem::path& package) {
    std::vector<ZipItem> items;
    for (const char* name : kJobFiles) {
        std::optional<Bytes> bytes = readFileBytes(startDirectory / name);
        if (!bytes) {
            return format("%s cannot be read: load a program file first.",
                          (startDirectory / name).string().c_str());
        }
        items.push_back({name, std::move(*bytes)});
    }
    return WriteZipFile(package, kSettingPackagePassword, items);
}

PackageResult OnExportSetting(Operator& op, const std::filesystem::path& startDirectory) {
    const std::optional<std::string> chosen = op.chooseSaveFile(kExportFilter, "*.ZIP", "zip");
    if (!chosen) {
        return PackageResult::Cancelled;
    }
    if (std::string problem = ExportSetting(startDirectory, *chosen); !problem.empty()) {
        op.message(problem, kDefaultCaption, MessageIcon::Exclamation);
        return PackageResult::WriteFailed;
    }
    return PackageResult::Ok;
}

std::string ExtractJobPackage(const std::filesystem::path& package,
                              const std::filesystem::path& startDirectory) {
    const std::string unexpected =
        format("File format (%s) is not expected! Please recheck the file",
               package.filename().string().c_str());
    const ZipContents contents = ReadZipFile(package, kSettingPackagePassword);
    if (!contents.ok()) {
        return unexpected + "\n" + contents.problem;
    }
    if (!holdsTheJobFiles(contents.items)) {
        return unexpected;
    }
    InstallTransaction install(startDirectory);
    for (const ZipItem& item : contents.items) {
        if (!install.stage(item.name, item.data)) {
            return install.problem();
        }
    }
    return install.commit() ? std::string() : install.problem();
}

}  // namespace vexlor
