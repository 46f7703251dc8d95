#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/serial/SerialRunState.h"

namespace vexlor {

// The high nibble of the block's mode byte: 0 when the writer holds no serial-number run.
std::uint8_t SerialUsage(std::span<const std::uint8_t> optionHeader);

// The 16-byte number at offset of the header written with the digits lengthBytes needs (the
// most significant 32-bit word used only as wide as its bytes); empty for a length outside
// 1..16.
std::string SerialWordsText(std::span<const std::uint8_t> optionHeader, std::size_t offset,
                            std::uint8_t lengthBytes);

// The run the writer holds, into the state: direction, address, length, its current and end
// numbers and the numbers left (the low 32-bit words' difference). Texts stay as they were
// for a length outside 1..16.
void TakeSerialInfo(std::span<const std::uint8_t> optionHeader, SerialRunState& state);

}  // namespace vexlor
