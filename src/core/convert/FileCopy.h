#pragma once

#include <filesystem>

namespace vexlor {

// Copies a whole file byte for byte. With keepExisting 1 an existing destination is left
// alone and the result is 0; a missing source gives 0; a copy made gives 1.
int CopyFileContents(const std::filesystem::path& source, const std::filesystem::path& destination,
                     int keepExisting);

}  // namespace vexlor
