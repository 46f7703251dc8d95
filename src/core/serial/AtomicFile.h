#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vexlor {

// Writes the bytes beside the file, flushes them to the disk and renames them over it: readers
// see the old content or the new, never a mix. False (old file untouched) when any step fails.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace vexlor
