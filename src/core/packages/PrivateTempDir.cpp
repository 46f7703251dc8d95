#include "core/packages/PrivateTempDir.h"

#include <stdlib.h>

#include <vector>

namespace vexlor {

PrivateTempDir::PrivateTempDir(const std::filesystem::path& parent, const std::string& prefix) {
    const std::string pattern = (parent / (prefix + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) != nullptr) {
        path_ = name.data();
    }
}

bool DeleteTree(const std::filesystem::path& directory) {
    std::error_code error;
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        entries.push_back(entry.path());
    }
    bool deleted = !error;
    for (const std::filesystem::path& entry : entries) {
        // remove_all takes a link away without following it.
        std::error_code failed;
        std::filesystem::remove_all(entry, failed);
        deleted = deleted && !failed;
    }
    return deleted;
}

PrivateTempDir::~PrivateTempDir() {
    if (made() && !kept_) {
        DeleteTree(path_);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

}  // namespace vexlor
