#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vexlor::sim {

// What the writer itself reads from and keeps in its option area while it programs chips:
// the production limit and the serial-number run.
namespace option {
inline constexpr std::size_t kSerialMode = 0x35;
inline constexpr std::size_t kSerialLength = 0x36;
inline constexpr std::size_t kSerialAddress = 0x37;
inline constexpr std::size_t kProductionMode = 0x4E;
inline constexpr std::size_t kLimitCount = 0x50;
inline constexpr std::size_t kSerialEnd = 0x60;
inline constexpr std::size_t kSerialCurrent = 0x70;
inline constexpr std::size_t kLimitState = 0xF4;
inline constexpr std::size_t kSerialNumberSize = 16;
// Direction nibble of kSerialMode: 0 puts the most significant byte at the lowest address.
inline constexpr std::uint8_t kSerialLowByteFirst = 1;
inline constexpr std::uint8_t kProductionLimit = 0x11;
}  // namespace option

bool productionLimitActive(std::span<const std::uint8_t> area);
bool productionLimitReached(std::span<const std::uint8_t> area);
// Whether the writer may program one more chip: no limit, or some count left.
bool productionAllowed(std::span<const std::uint8_t> area);
// One chip passed: the packed-decimal count goes down by one; at zero the limit is marked
// reached in the high nibble of the limit-state byte.
void countProducedChip(std::span<std::uint8_t> area);

struct SerialPatch {
    std::size_t address = 0;
    std::vector<std::uint8_t> bytes;
};

// The serial number the next chip gets, in the run's byte order; empty
// when no run is set up. exhausted is set when the current number has reached the end.
struct SerialStep {
    bool inUse = false;
    bool exhausted = false;
    SerialPatch patch;
};
SerialStep nextSerial(std::span<const std::uint8_t> area);
// The number just used is spent: the current number goes up by one.
void advanceSerial(std::span<std::uint8_t> area);

}  // namespace vexlor::sim
