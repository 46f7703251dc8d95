#pragma once

#include <cstdint>

namespace vexlor {

// The program checksum: CRC-16, polynomial 0x8005, most significant bit first, not reflected,
// no final XOR, started from a chosen value and fed 16-bit words (high byte first).
class ProgramChecksum {
  public:
    explicit ProgramChecksum(std::uint16_t initial = 0) : value_(initial) {}

    void feedWord(std::uint16_t word);
    void feedByte(std::uint8_t byte);
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
