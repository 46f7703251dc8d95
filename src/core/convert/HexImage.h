#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "core/base/Diagnostics.h"

namespace vexlor {

// Size of the memory image the Intel HEX reader fills.
inline constexpr std::size_t kHexImageSize = 65556;

// Blank content of the image before the records are stored.
enum class HexFillMode : int {
    Blank0xFF = 1,       // every byte 0xFF
    Blank14BitWord = 2,  // pairs 0xFF, 0x3F; word-addressed files scale addresses by 2
    Blank0x00 = 3,       // every byte 0x00; word-addressed files scale addresses by 2
};

// Reads an Intel HEX file into a flat image and writes it to outputPath. fillMode values other
// than 2 and 3 behave as 1. lengthOverride, when non-zero, fixes the number of bytes written.
// Returns 0 on success and 1 on any failure (reported as a diagnostic line only).
int ConvertHexToImage(const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath, int fillMode,
                      std::uint32_t lengthOverride, const Diagnostics& diagnostics);

// The reader's field parser: at most 8 characters, leading '0' and blanks skipped, stops at
// the first character that is not a hex digit.
std::uint32_t parseHexField(const char* text, std::size_t length);

}  // namespace vexlor
