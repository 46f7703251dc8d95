#include "core/app/VoltageCheck.h"

#include "core/writer/VoltageRanges.h"

namespace vexlor {

namespace {

bool outputsGood(const std::array<std::uint8_t, 6>& m, const OutputLevels& levels) {
    return levels.vdd.contains(m[measure::kProgVdd]) && levels.vpp.contains(m[measure::kProgVpp]);
}

}  // namespace

bool RunVoltageCheck(Writer& writer) {
    writer.WriteControlByte(kOutputsGround);
    for (std::uint16_t word : kDacSetupWords) {
        writer.WriteControlWord(word);
    }
    writer.BusyWait(100);
    std::array<std::uint8_t, 6> first{};
    writer.ReadVoltageBlock(first);
    bool good = true;
    for (const DacRange& dac : kDacRanges) {
        good = good && dac.range.contains(first[dac.byte]);
    }

    for (std::uint16_t word : kDacParkWords) {
        writer.WriteControlWord(word);
    }
    writer.WriteControlByte(kOutputsGround);
    writer.BusyWait(300);
    // The outputs are judged off on the first reading, taken before they were switched.
    good = good && outputsGood(first, kDacBoardOutputs[0]);

    for (std::size_t step = 1; step < kDacBoardOutputs.size(); ++step) {
        writer.WriteControlByte(kDacBoardOutputs[step].controlByte);
        writer.BusyWait(300);
        std::array<std::uint8_t, 6> reading{};
        writer.ReadVoltageBlock(reading);
        good = outputsGood(reading, kDacBoardOutputs[step]) && good;
    }
    return good;
}

}  // namespace vexlor
