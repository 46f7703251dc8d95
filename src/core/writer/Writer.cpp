#include "core/writer/Writer.h"

namespace vexlor {

bool Writer::ChangeWriterMode(std::uint8_t mode) {
    return SendCommand(cmd::kMode, &mode, 1);
}

bool Writer::SetOperationLamp(std::uint8_t value) {
    return SendCommand(cmd::kLamp, &value, 1);
}

bool Writer::WriteControlByte(std::uint8_t value) {
    ChangeWriterMode(kModeTransfer);
    return SendCommand(cmd::kControlByte, &value, 1);
}

bool Writer::WriteControlWord(std::uint16_t value) {
    ChangeWriterMode(kModeTransfer);
    const auto high = static_cast<std::uint8_t>(value >> 8);
    const auto low = static_cast<std::uint8_t>(value);
    const std::array<std::uint8_t, 2> bytes = traits().controlWordOrder == WordOrder::HighFirst
                                                  ? std::array<std::uint8_t, 2>{high, low}
                                                  : std::array<std::uint8_t, 2>{low, high};
    return SendCommand(cmd::kControlWord, bytes.data(), bytes.size());
}

bool Writer::ReadVoltageBlock(std::array<std::uint8_t, 6>& buffer) {
    return ReceiveData(cmd::kVoltage, buffer.data(), buffer.size());
}

bool Writer::SetAddress(std::uint32_t address) {
    const std::size_t width = traits().addressBytes;
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<std::uint8_t>(address >> (8 * (width - 1 - i)));
    }
    connection_.progress().atAddress(address);
    return SendCommand(cmd::kSetAddress, bytes.data(), static_cast<std::uint32_t>(width));
}

bool Writer::MayAddressMemory() {
    return traits().addressesUnknownVersions || link().knownWriterVersion;
}

std::uint8_t Writer::ReadWriterByte(std::uint32_t address) {
    WriterLink& state = link();
    std::uint8_t value = 0;
    state.busy = true;
    state.showTransferProgress = false;
    if (MayAddressMemory()) {
        ChangeWriterMode(kModeAddressed);
        SetAddress(address);
        state.showTransferProgress = true;
        ReceiveData(cmd::kReadMemory, &value, 1);
        state.showTransferProgress = false;
    }
    state.busy = false;
    return value;
}

void Writer::ReportStepProgress(int position) {
    if (!traits().reportsPieces) {
        connection_.progress().setPosition(position);
    }
}

}  // namespace vexlor
