#pragma once

#include <cstdint>
#include <span>

#include "sim/SimChip.h"

namespace vexlor::sim {

// Where the writer leaves what Verify read from the chip, high byte first, and where it finds
// what Program writes into the chip's configuration and identifier.
namespace chipinfo {
inline constexpr std::size_t kConfigWord = 0x24;
inline constexpr std::size_t kDeviceId = 0x42;
inline constexpr std::size_t kSystemConfig = 0xF8;
inline constexpr std::size_t kFirstChecksum = 0xFA;
inline constexpr std::size_t kId = 0xFC;
inline constexpr std::size_t kSecondChecksum = 0xFE;
}  // namespace chipinfo

// The option word the job programs into the chip's configuration.
std::uint16_t jobSystemConfig(std::span<const std::uint8_t> optionArea);

// What the writer reads from the chip while it verifies: the system configuration, the byte
// sum (first checksum) and the sum of high-byte-first words (second checksum) of the chip's
// first length bytes, and the identifier, which a genuine chip answers with the job's device
// ID.
void recordChipInfo(std::span<std::uint8_t> optionArea, const SimChip& chip, std::size_t length);

}  // namespace vexlor::sim
