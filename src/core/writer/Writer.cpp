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
    const std::array<std::uint8_t, 2> bytes = link().useAccessLibrary
                                                  ? std::array<std::uint8_t, 2>{high, low}
                                                  : std::array<std::uint8_t, 2>{low, high};
    return SendCommand(cmd::kControlWord, bytes.data(), bytes.size());
}

bool Writer::ReadVoltageBlock(std::array<std::uint8_t, 6>& buffer) {
    return ReceiveData(cmd::kVoltage, buffer.data(), buffer.size());
}

bool Writer::SetAddress(std::uint32_t address) {
    if (link().useAccessLibrary) {
        const std::array<std::uint8_t, 4> bytes{
            static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
            static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
        return SendCommand(cmd::kSetAddress, bytes.data(), bytes.size());
    }
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(address >> 8),
                                            static_cast<std::uint8_t>(address)};
    return SendCommand(cmd::kSetAddress, bytes.data(), bytes.size());
}

std::uint8_t Writer::ReadWriterByte(std::uint32_t address) {
    WriterLink& state = link();
    std::uint8_t value = 0;
    if (state.useAccessLibrary) {
        ChangeWriterMode(kModeAddressed);
        SetAddress(address);
        ReceiveData(cmd::kReadMemory, &value, 1);
        return value;
    }
    state.busy = true;
    state.showTransferProgress = false;
    if (state.knownWriterVersion) {
        ChangeWriterMode(kModeAddressed);
        SetAddress(address);
        state.showTransferProgress = true;
        ReceiveData(cmd::kReadMemory, &value, 1);
        state.showTransferProgress = false;
    }
    state.busy = false;
    return value;
}

void Writer::ReportAccessProgress(int position) {
    if (link().useAccessLibrary) {
        connection_.progress().setPosition(position);
    }
}

}  // namespace vexlor
