#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/convert/ByteFiles.h"

namespace vexlor {

// One file of a zip archive. unixMode carries the file type and permission bits the way
// Unix zip tools store them; readers refuse anything that is not a regular file.
struct ZipItem {
    std::string name;
    Bytes data;
    std::uint32_t unixMode = 0100644;
};

// Packages come from outside: a small archive must not be able to fill the disk or memory.
struct ZipLimits {
    std::size_t maxEntries = 1000;
    std::uint64_t maxEntryBytes = kLargestReadableFile;
    std::uint64_t maxTotalBytes = 4 * static_cast<std::uint64_t>(kLargestReadableFile);
};

// The regular files of an archive, or why it cannot be used (one line for the operator).
// Directory entries are skipped; links, names that leave the extraction folder, entries
// beyond the limits and data that fails its check are refused.
struct ZipContents {
    std::vector<ZipItem> items;
    std::string problem;
    bool ok() const { return problem.empty(); }
};

ZipContents ReadZipArchive(std::span<const std::uint8_t> archive, const std::string& password,
                           const ZipLimits& limits = {});
// The same for a file; a missing or oversized file is a problem like any other.
ZipContents ReadZipFile(const std::filesystem::path& path, const std::string& password,
                        const ZipLimits& limits = {});

// Creates (or replaces) the archive with the items, encrypted with the password when it is not
// empty. Empty result: written; otherwise why not, and no archive is left behind.
std::string WriteZipFile(const std::filesystem::path& path, const std::string& password,
                         std::span<const ZipItem> items);

}  // namespace vexlor
