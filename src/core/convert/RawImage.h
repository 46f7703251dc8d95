#pragma once

#include <cstddef>
#include <string>

#include "core/convert/ByteFiles.h"

namespace vexlor {

// Whether the bytes are Intel HEX text: a first non-blank line of ':' and hex digits.
bool looksLikeIntelHex(const Bytes& bytes);

// Why a raw program image cannot be meant for the chip: it is Intel HEX text (which would be
// programmed as ASCII), or it holds more than the readLength bytes the chip's converter reads
// (the rest would silently not reach the chip). Empty when neither.
std::string rawImageProblem(const std::string& fileName, const Bytes& bytes, std::size_t readLength,
                            const std::string& chipName);

}  // namespace vexlor
