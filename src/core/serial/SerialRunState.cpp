#include "core/serial/SerialRunState.h"

namespace vexlor {

void SerialRunState::ResetToStartUp() {
    currentSerial = std::string(16, '0');
    endSerial = std::string(16, '0');
    amountText = "0";
    startAddress = 0;
    endAddress = 0;
    lengthBytes = 8;
    direction = 0;
    viewOnly = false;
    okText.clear();
    ngText.clear();
    totalText.clear();
}

void SerialRunState::ResetAfterClose() {
    currentSerial = std::string(32, '0');
    endSerial = std::string(32, '0');
    amountText = "0";
    startAddress = 0;
    endAddress = 0;
    lengthBytes = kMaxSerialLength;
    direction = 0;
    okText = "0";
    ngText = "0";
    totalText = "0";
}

std::optional<std::string> PadSerialForDisplay(const std::string& text, std::uint8_t lengthBytes) {
    if (lengthBytes < 1 || lengthBytes > kMaxSerialLength) {
        return std::nullopt;
    }
    const std::size_t width = 2u * lengthBytes;
    if (text.size() >= width) {
        return text;
    }
    return std::string(width - text.size(), '0') + text;
}

}  // namespace vexlor
