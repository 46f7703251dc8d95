#include "sim/SimVoltages.h"

#include <algorithm>

#include "core/writer/VoltageRanges.h"

namespace vexlor::sim {

namespace {
constexpr std::uint8_t kChannelVpp = 1;
constexpr std::uint8_t kChannelWvdd = 3;
constexpr std::uint8_t kChannelRvdd = 5;
constexpr std::uint8_t kChannelLevelShift = 7;

// Grounded outputs still read a few counts of noise.
constexpr std::uint8_t kGroundVdd = 0x02;
constexpr std::uint8_t kGroundVpp = 0x01;
// The older board's fixed supplies: 5 V on both, then 6 V VDD and 12.5 V VPP.
constexpr std::uint8_t kFixedLow = 0x4D;
constexpr std::uint8_t kFixedHighVdd = 0x5C;
constexpr std::uint8_t kFixedHighVpp = 0xC1;
// On the DAC board the high setting sits a little above the low one.
constexpr std::uint8_t kHighAboveLow = 2;
std::uint8_t edgeOf(VoltageRange range, VoltageEdge edge) {
    switch (edge) {
        case VoltageEdge::AtLow:
            return range.low;
        case VoltageEdge::AtHigh:
            return range.high;
        case VoltageEdge::BelowLow:
            // Nothing reads below 0: a range starting there has no outside below.
            return range.low == 0 ? 0 : static_cast<std::uint8_t>(range.low - 1);
        case VoltageEdge::AboveHigh:
            break;
    }
    return range.high == 255 ? 255 : static_cast<std::uint8_t>(range.high + 1);
}
}  // namespace

void SimVoltages::setControlWord(std::uint16_t value) {
    dacLevels_[value & 7] = static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t SimVoltages::dacReading(std::uint8_t channel) const {
    // The measurement divider reads 1.47 counts per DAC step.
    return static_cast<std::uint8_t>(std::min(255, dacLevels_[channel] * 147 / 100));
}

std::array<std::uint8_t, 6> SimVoltages::measure() const {
    std::array<std::uint8_t, 6> m{kGroundVdd, kGroundVpp, 0, 0, 0, 0};
    if (hasDacBoard_) {
        m[2] = dacReading(kChannelVpp);
        m[3] = dacReading(kChannelWvdd);
        m[4] = dacReading(kChannelRvdd);
        m[5] = dacReading(kChannelLevelShift);
        if (controlByte_ == kOutputsLow || controlByte_ == kOutputsHigh) {
            const int raise = controlByte_ == kOutputsHigh ? kHighAboveLow : 0;
            m[0] = static_cast<std::uint8_t>(std::min(255, m[3] + raise));
            m[1] = static_cast<std::uint8_t>(std::min(255, m[2] + raise));
        }
    } else if (controlByte_ == kOutputsLow) {
        m[0] = kFixedLow;
        m[1] = kFixedLow;
    } else if (controlByte_ == kOutputsHigh) {
        m[0] = kFixedHighVdd;
        m[1] = kFixedHighVpp;
    }
    for (auto& byte : m) {
        byte = static_cast<std::uint8_t>(std::min(255, byte + skew_));
    }
    if (edge_) {
        placeOnEdge(m);
    }
    return m;
}

void SimVoltages::placeOnEdge(std::array<std::uint8_t, 6>& m) const {
    const auto& outputs = hasDacBoard_ ? kDacBoardOutputs : kFixedBoardOutputs;
    // Any control byte other than low or high leaves the outputs grounded.
    const OutputLevels* levels = &outputs[0];
    for (const OutputLevels& candidate : outputs) {
        if (candidate.controlByte == controlByte_) {
            levels = &candidate;
        }
    }
    m[measure::kProgVpp] = edgeOf(levels->vpp, *edge_);
    m[measure::kProgVdd] = edgeOf(levels->vdd, *edge_);
    if (hasDacBoard_) {
        for (const DacRange& dac : kDacRanges) {
            m[dac.byte] = edgeOf(dac.range, *edge_);
        }
    }
}

}  // namespace vexlor::sim
