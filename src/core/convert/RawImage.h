#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/convert/ByteFiles.h"

namespace vexlor {

// Whether the bytes are Intel HEX text: a first non-blank line of ':' and hex digits.
bool looksLikeIntelHex(const Bytes& bytes);

// What a converter needs of a raw image: at least minimumLength bytes, at most readLength.
struct ImageNeeds {
    std::size_t minimumLength = 0;
    std::size_t readLength = 0;
    std::string chipName;
    std::string fileTypes;  // the chip's program-file patterns, "*.obj" or "*.hex, *.bin"
};

// Why a raw program image cannot be meant for the chip: it is Intel HEX text (which would be
// programmed as ASCII), shorter than the converter reads, or longer than it reads (the rest
// would silently not reach the chip). made: the image was made from the program file rather
// than being it. Empty when none.
std::string rawImageProblem(const Bytes& bytes, const ImageNeeds& needs, bool made = false);

// "<path> open file error", with the reason on the following line.
std::string openFileError(const std::filesystem::path& file, std::string_view reason);

// Why a file could not be read: its size when that is what refused it, else that it cannot be
// opened.
std::string unreadableReason(const std::filesystem::path& file);

}  // namespace vexlor
