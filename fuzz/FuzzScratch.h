#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vexlor::fuzz {

// A directory of this process's own, made on first use and removed when the process ends, for
// readers that only take a path.
const std::filesystem::path& ScratchDirectory();

// Writes the input as relativePath below the scratch directory (folders made as needed) and
// returns its full path.
std::filesystem::path WriteInputFile(const std::filesystem::path& relativePath,
                                     const std::uint8_t* data, std::size_t size);

}  // namespace vexlor::fuzz
