#include "core/serial/SerialInfo.h"

#include "core/base/Diagnostics.h"
#include "core/serial/SerialBlock.h"

namespace vexlor {

using namespace serial_block;

namespace {

std::uint32_t wordAt(std::span<const std::uint8_t> header, std::size_t offset, int word) {
    const std::size_t at = offset + 4u * static_cast<std::size_t>(word);
    return static_cast<std::uint32_t>(header[at]) << 24 | header[at + 1] << 16 |
           header[at + 2] << 8 | header[at + 3];
}

}  // namespace

std::uint8_t SerialUsage(std::span<const std::uint8_t> optionHeader) {
    return optionHeader[kMode] >> 4;
}

std::string SerialWordsText(std::span<const std::uint8_t> header, std::size_t offset,
                            std::uint8_t lengthBytes) {
    if (lengthBytes < 1 || lengthBytes > kMaxSerialLength) {
        return {};
    }
    const int words = (lengthBytes + 3) / 4;
    const int topBytes = lengthBytes - 4 * (words - 1);
    std::string text;
    for (int word = 4 - words; word < 4; ++word) {
        const int width = word == 4 - words ? 2 * topBytes : 8;
        text += format("%0*X", width, wordAt(header, offset, word));
    }
    return text;
}

void TakeSerialInfo(std::span<const std::uint8_t> header, SerialRunState& state) {
    state.direction = header[kMode] & 0x0F;
    state.startAddress =
        static_cast<std::uint32_t>(header[kStartAddress]) * 256 + header[kStartAddress + 1];
    state.lengthBytes = header[kLength];
    if (state.lengthBytes >= 1 && state.lengthBytes <= kMaxSerialLength) {
        state.currentSerial = SerialWordsText(header, kCurrentNumber, state.lengthBytes);
        state.endSerial = SerialWordsText(header, kEndNumber, state.lengthBytes);
    }
    const std::uint32_t left = wordAt(header, kEndNumber, 3) - wordAt(header, kCurrentNumber, 3);
    state.amountText = format("%X", left);
}

}  // namespace vexlor
