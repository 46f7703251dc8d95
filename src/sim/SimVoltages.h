#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vexlor::sim {

// Readings placed on a bound of the range the program accepts for them, or one step outside.
enum class VoltageEdge { AtLow, AtHigh, BelowLow, AboveHigh };

// The writer's measurement block. Control words set a DAC: high byte the level, low byte the
// channel (1 VPP, 3 WVDD, 5 RVDD, 7 level shift). The control byte switches the programming
// outputs: 0x0A low, 0x05 high, anything else grounded. Writers of the older board have no
// DACs and fixed output levels.
class SimVoltages {
  public:
    static constexpr std::uint8_t kOutputsLow = 0x0A;
    static constexpr std::uint8_t kOutputsHigh = 0x05;

    explicit SimVoltages(bool hasDacBoard) : hasDacBoard_(hasDacBoard) {}

    void setControlByte(std::uint8_t value) { controlByte_ = value; }
    void setControlWord(std::uint16_t value);
    // Every reading shifted up by this much: a writer whose supplies are off.
    void setSkew(std::uint8_t skew) { skew_ = skew; }
    // Every reading the program judges at this edge of its range instead (after the skew).
    void setEdge(std::optional<VoltageEdge> edge) { edge_ = edge; }

    // Bytes: P_VDD, P_VPP, DAC VPP, DAC WVDD, DAC RVDD, DAC level shift.
    std::array<std::uint8_t, 6> measure() const;

  private:
    std::uint8_t dacReading(std::uint8_t channel) const;
    void placeOnEdge(std::array<std::uint8_t, 6>& m) const;

    bool hasDacBoard_;
    std::uint8_t controlByte_ = 0;
    std::uint8_t skew_ = 0;
    std::optional<VoltageEdge> edge_;
    std::array<std::uint8_t, 8> dacLevels_{};
};

}  // namespace vexlor::sim
