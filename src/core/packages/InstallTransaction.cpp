#include "core/packages/InstallTransaction.h"

#include "core/base/Diagnostics.h"
#include "core/convert/ByteFiles.h"

namespace vexlor {

namespace fs = std::filesystem;

InstallTransaction::InstallTransaction(fs::path root)
    : root_(std::move(root)), staging_(root_, ".vexlor-install-") {}

bool InstallTransaction::fail(std::string why) {
    problem_ = std::move(why);
    return false;
}

bool InstallTransaction::stage(const fs::path& relative, std::span<const std::uint8_t> bytes) {
    if (!staging_.made()) {
        return fail(format("%s cannot hold a staging folder.", root_.string().c_str()));
    }
    const fs::path file = staging_.path() / ("new" + std::to_string(staged_.size()));
    if (!writeFileBytes(file, bytes)) {
        return fail(format("%s cannot be written.", file.string().c_str()));
    }
    staged_.push_back({relative, file});
    return true;
}

bool InstallTransaction::makeParents(const fs::path& relative) {
    fs::path folder = root_;
    for (const fs::path& part : relative.parent_path()) {
        folder /= part;
        std::error_code error;
        if (fs::is_directory(folder, error)) {
            continue;
        }
        if (!fs::create_directory(folder, error)) {
            return fail(format("The folder %s cannot be created.", folder.string().c_str()));
        }
        createdFolders_.push_back(folder);
    }
    return true;
}

bool InstallTransaction::swapIn(std::size_t index, const Staged& staged) {
    if (!makeParents(staged.relative)) {
        return false;
    }
    const fs::path destination = root_ / staged.relative;
    Swapped swapped{destination, {}};
    std::error_code error;
    const fs::file_status present = fs::symlink_status(destination, error);
    // A file may replace a file; a folder in its place holds things the package knows nothing of.
    if (fs::is_directory(present)) {
        return fail(format("%s is a folder, not a file.", destination.string().c_str()));
    }
    if (fs::exists(present)) {
        swapped.backup = staging_.path() / ("old" + std::to_string(index));
        fs::rename(destination, swapped.backup, error);
        if (error) {
            return fail(format("%s cannot be replaced: %s", destination.string().c_str(),
                               error.message().c_str()));
        }
    }
    fs::rename(staged.file, destination, error);
    if (error) {
        if (!swapped.backup.empty()) {
            std::error_code ignored;
            fs::rename(swapped.backup, destination, ignored);
        }
        return fail(format("%s cannot be written: %s", destination.string().c_str(),
                           error.message().c_str()));
    }
    swapped_.push_back(swapped);
    return true;
}

bool InstallTransaction::commit() {
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (!swapIn(i, staged_[i])) {
            rollBack();
            return false;
        }
    }
    return true;
}

void InstallTransaction::rollBack() {
    bool restored = true;
    for (auto it = swapped_.rbegin(); it != swapped_.rend(); ++it) {
        std::error_code error;
        fs::remove(it->destination, error);
        if (!it->backup.empty()) {
            fs::rename(it->backup, it->destination, error);
        }
        restored = restored && !error;
    }
    swapped_.clear();
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) {
        std::error_code ignored;
        fs::remove(*it, ignored);
    }
    if (!restored) {
        // The staging folder holds the only copy of what could not be put back.
        staging_.keep();
        problem_ += format("\nSome replaced files could not be put back; they are kept in %s",
                           staging_.path().string().c_str());
    }
}

}  // namespace vexlor
