#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexlor {

inline constexpr std::size_t kBlockSize = 13;
inline constexpr std::size_t kPieceSize = 512;

// The 13 bytes that open every transfer of the own USB path: "USBC", four zero bytes, the data
// length little-endian, the command byte.
using CommandBlock = std::array<std::uint8_t, kBlockSize>;
// Read after the data phase; its contents are never examined.
using StatusBlock = std::array<std::uint8_t, kBlockSize>;

CommandBlock MakeCommandBlock(std::uint32_t length, std::uint8_t command);

}  // namespace vexlor
