#include "core/convert/ProgramChecksum.h"

#include <array>

namespace vexlor {
namespace {

constexpr std::uint16_t kPolynomial = 0x8005;

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint16_t crc = static_cast<std::uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ kPolynomial)
                                 : static_cast<std::uint16_t>(crc << 1);
        }
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kTable = makeTable();

std::uint16_t step(std::uint16_t crc, std::uint8_t byte) {
    return static_cast<std::uint16_t>((crc << 8) ^ kTable[((crc >> 8) ^ byte) & 0xFF]);
}

}  // namespace

void ProgramChecksum::feedByte(std::uint8_t byte) {
    value_ = step(value_, byte);
}

void ProgramChecksum::feedWord(std::uint16_t word) {
    feedByte(static_cast<std::uint8_t>(word >> 8));
    feedByte(static_cast<std::uint8_t>(word & 0xFF));
}

}  // namespace vexlor
