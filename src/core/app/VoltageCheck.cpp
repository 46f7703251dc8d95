#include "core/app/VoltageCheck.h"

namespace vexlor {

namespace {

bool within(std::uint8_t value, std::uint8_t low, std::uint8_t high) {
    return value >= low && value <= high;
}

// The two regulated outputs at the lower programming levels.
bool lowLevelsGood(const std::array<std::uint8_t, 6>& m) {
    return within(m[0], 0x4E, 0x58) && within(m[1], 0x4E, 0x58);
}

}  // namespace

bool RunVoltageCheck(Writer& writer) {
    bool good = true;

    writer.WriteControlByte(0x30);
    for (std::uint16_t word : {0x8D01, 0x4403, 0x3905, 0x2207}) {
        writer.WriteControlWord(word);
    }
    writer.BusyWait(100);
    std::array<std::uint8_t, 6> first{};
    writer.ReadVoltageBlock(first);
    good = good && within(first[2], 0xCB, 0xD6) && within(first[3], 0x5F, 0x69) &&
           within(first[4], 0x4F, 0x59) && within(first[5], 0x2D, 0x37);

    writer.WriteControlWord(0x3901);
    writer.WriteControlWord(0x3903);
    writer.WriteControlByte(0x30);
    writer.BusyWait(300);
    // The outputs are judged off on the first reading, taken before they were switched.
    good = good && first[1] <= 5 && first[0] <= 5;

    for (std::uint8_t level : {0x0A, 0x05}) {
        writer.WriteControlByte(level);
        writer.BusyWait(300);
        std::array<std::uint8_t, 6> reading{};
        writer.ReadVoltageBlock(reading);
        good = lowLevelsGood(reading) && good;
    }
    return good;
}

}  // namespace vexlor
