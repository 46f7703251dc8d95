#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexlor {

namespace checksum_detail {

constexpr std::uint16_t kPolynomial = 0x8005;
constexpr std::size_t kSliceBytes = 8;

using Table = std::array<std::uint16_t, 256>;

// Table k holds the remainder of a byte followed by k zero bytes. The CRC is linear, so the
// bytes of a run can be looked up independently and their remainders combined: eight bytes
// take eight lookups instead of eight dependent steps.
constexpr std::array<Table, kSliceBytes> makeTables() {
    std::array<Table, kSliceBytes> tables{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint16_t crc = static_cast<std::uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ kPolynomial)
                                 : static_cast<std::uint16_t>(crc << 1);
        }
        tables[0][byte] = crc;
    }
    for (std::size_t k = 1; k < kSliceBytes; ++k) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const std::uint16_t previous = tables[k - 1][byte];
            tables[k][byte] =
                static_cast<std::uint16_t>((previous << 8) ^ tables[0][previous >> 8]);
        }
    }
    return tables;
}

inline constexpr std::array<Table, kSliceBytes> kTables = makeTables();

}  // namespace checksum_detail

// The program checksum: CRC-16, polynomial 0x8005, most significant bit first, not reflected,
// no final XOR, started from a chosen value and fed 16-bit words (high byte first). Inline:
// converters feed it every byte of an image.
class ProgramChecksum {
  public:
    explicit ProgramChecksum(std::uint16_t initial = 0) : value_(initial) {}

    void feedWord(std::uint16_t word) {
        const auto& t = checksum_detail::kTables;
        value_ = static_cast<std::uint16_t>(t[1][((value_ ^ word) >> 8) & 0xFF] ^
                                            t[0][(value_ ^ word) & 0xFF]);
    }
    void feedByte(std::uint8_t byte) {
        value_ = static_cast<std::uint16_t>(
            (value_ << 8) ^ checksum_detail::kTables[0][((value_ >> 8) ^ byte) & 0xFF]);
    }
    // A word stored as the bytes b0, b1 and fed as b0 * 256 + b1.
    void feedBytes(std::uint8_t b0, std::uint8_t b1) {
        feedWord(static_cast<std::uint16_t>(b0 << 8 | b1));
    }
    // Words stored high byte first, one after another; a lone last byte is not fed.
    void feedWords(std::span<const std::uint8_t> bytes) {
        const auto& t = checksum_detail::kTables;
        std::uint16_t crc = value_;
        const std::uint8_t* b = bytes.data();
        std::size_t left = bytes.size();
        for (; left >= checksum_detail::kSliceBytes; left -= checksum_detail::kSliceBytes) {
            crc = static_cast<std::uint16_t>(t[7][b[0] ^ (crc >> 8)] ^ t[6][b[1] ^ (crc & 0xFF)] ^
                                             t[5][b[2]] ^ t[4][b[3]] ^ t[3][b[4]] ^ t[2][b[5]] ^
                                             t[1][b[6]] ^ t[0][b[7]]);
            b += checksum_detail::kSliceBytes;
        }
        value_ = crc;
        for (; left >= 2; left -= 2, b += 2) {
            feedBytes(b[0], b[1]);
        }
    }

    std::uint16_t value() const { return value_; }
    void reset(std::uint16_t initial) { value_ = initial; }

  private:
    std::uint16_t value_;
};

}  // namespace vexlor
