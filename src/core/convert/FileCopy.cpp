#include "core/convert/FileCopy.h"

#include "core/convert/ByteFiles.h"

namespace vexlor {

int CopyFileContents(const std::filesystem::path& source, const std::filesystem::path& destination,
                     int keepExisting) {
    std::error_code error;
    if (keepExisting == 1 && std::filesystem::exists(destination, error)) {
        return 0;
    }
    const std::optional<Bytes> bytes = readFileBytes(source);
    if (!bytes) {
        return 0;
    }
    return writeFileBytes(destination, *bytes) ? 1 : 0;
}

}  // namespace vexlor
