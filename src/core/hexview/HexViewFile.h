#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexlor {

// Program files are small; anything above this is refused rather than read into memory whole.
inline constexpr std::uintmax_t kMaxViewFileBytes = std::uintmax_t{64} * 1024 * 1024;

struct ViewFileResult {
    std::vector<std::uint8_t> bytes;
    std::string error;  // empty when the file was read

    bool ok() const { return error.empty(); }
};

// Reads a whole regular file for the hex view.
ViewFileResult readViewFile(const std::filesystem::path& path,
                            std::uintmax_t maxBytes = kMaxViewFileBytes);

}  // namespace vexlor
