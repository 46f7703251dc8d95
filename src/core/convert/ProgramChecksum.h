#pragma once

#include <array>
#include <cstdint>

namespace vexlor {

namespace checksum_detail {

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

inline constexpr std::array<std::uint16_t, 256> kTable = makeTable();

// The table of a byte followed by a zero byte. The CRC is linear, so a word's two bytes can be
// looked up independently: kPairTable[high ^ crc >> 8] ^ kTable[low ^ crc & 0xFF].
constexpr std::array<std::uint16_t, 256> makePairTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = static_cast<std::uint16_t>((kTable[byte] << 8) ^ kTable[kTable[byte] >> 8]);
    }
    return table;
}

inline constexpr std::array<std::uint16_t, 256> kPairTable = makePairTable();

}  // namespace checksum_detail

// The program checksum: CRC-16, polynomial 0x8005, most significant bit first, not reflected,
// no final XOR, started from a chosen value and fed 16-bit words (high byte first). Inline:
// converters feed it every byte of an image, one call each.
class ProgramChecksum {
  public:
    explicit ProgramChecksum(std::uint16_t initial = 0) : value_(initial) {}

    void feedWord(std::uint16_t word) {
        value_ =
            static_cast<std::uint16_t>(checksum_detail::kPairTable[((value_ ^ word) >> 8) & 0xFF] ^
                                       checksum_detail::kTable[(value_ ^ word) & 0xFF]);
    }
    void feedByte(std::uint8_t byte) {
        value_ = static_cast<std::uint16_t>((value_ << 8) ^
                                            checksum_detail::kTable[((value_ >> 8) ^ byte) & 0xFF]);
    }
    // A word stored as the bytes b0, b1 and fed as b0 * 256 + b1.
    void feedBytes(std::uint8_t b0, std::uint8_t b1) {
        feedWord(static_cast<std::uint16_t>(b0 << 8 | b1));
    }

    std::uint16_t value() const { return value_; }
    void reset(std::uint16_t initial) { value_ = initial; }

  private:
    std::uint16_t value_;
};

}  // namespace vexlor
