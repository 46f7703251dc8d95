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

PrivateTempDir::~PrivateTempDir() {
    if (made() && !kept_) {
        // remove_all takes links away without following them.
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

}  // namespace vexlor
