#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexlor {

// Bytes of the writer's measurement block.
namespace measure {
inline constexpr std::size_t kProgVdd = 0;
inline constexpr std::size_t kProgVpp = 1;
inline constexpr std::size_t kDacVpp = 2;
inline constexpr std::size_t kDacWvdd = 3;
inline constexpr std::size_t kDacRvdd = 4;
inline constexpr std::size_t kDacLevelShift = 5;
}  // namespace measure

// Inclusive bounds of a healthy reading.
struct VoltageRange {
    std::uint8_t low;
    std::uint8_t high;

    constexpr bool contains(std::uint8_t value) const { return value >= low && value <= high; }
};

// The DAC levels every board check starts from (high byte the level, low byte the channel),
// and the two words that park the VPP and WVDD channels before the outputs are switched.
inline constexpr std::array<std::uint16_t, 4> kDacSetupWords{0x8D01, 0x4403, 0x3905, 0x2207};
inline constexpr std::array<std::uint16_t, 2> kDacParkWords{0x3901, 0x3903};

struct DacRange {
    std::size_t byte;
    VoltageRange range;
};
inline constexpr std::array<DacRange, 4> kDacRanges{{{measure::kDacVpp, {0xCB, 0xD6}},
                                                     {measure::kDacWvdd, {0x5F, 0x69}},
                                                     {measure::kDacRvdd, {0x4F, 0x59}},
                                                     {measure::kDacLevelShift, {0x2D, 0x37}}}};

// Control bytes that switch the programming outputs, and what P_VPP and P_VDD read at each.
inline constexpr std::uint8_t kOutputsGround = 0x30;
inline constexpr std::uint8_t kOutputsLow = 0x0A;
inline constexpr std::uint8_t kOutputsHigh = 0x05;

struct OutputLevels {
    std::uint8_t controlByte;
    VoltageRange vpp;
    VoltageRange vdd;
};
// Ground, low and high, in the order the checks run.
inline constexpr std::array<OutputLevels, 3> kDacBoardOutputs{{
    {kOutputsGround, {0x00, 0x05}, {0x00, 0x05}},
    {kOutputsLow, {0x4E, 0x58}, {0x4E, 0x58}},
    {kOutputsHigh, {0x4E, 0x58}, {0x4E, 0x58}},
}};
// The older board has fixed supplies: 5 V, then 12.5 V VPP and 6 V VDD.
inline constexpr std::array<OutputLevels, 3> kFixedBoardOutputs{{
    {kOutputsGround, {0x00, 0x05}, {0x00, 0x05}},
    {kOutputsLow, {0x47, 0x53}, {0x47, 0x53}},
    {kOutputsHigh, {0xBA, 0xC8}, {0x56, 0x62}},
}};

}  // namespace vexlor
