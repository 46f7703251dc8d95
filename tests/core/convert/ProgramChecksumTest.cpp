#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "core/convert/ProgramChecksum.h"

namespace vexlor {
namespace {

TEST(ProgramChecksum, StandardCheckValueOfTheNineDigits) {
    ProgramChecksum crc(0);
    const std::string_view digits = "123456789";
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        crc.feedBytes(static_cast<std::uint8_t>(digits[i]),
                      static_cast<std::uint8_t>(digits[i + 1]));
    }
    crc.feedByte(static_cast<std::uint8_t>(digits.back()));
    EXPECT_EQ(crc.value(), 0xFEE8);
}

TEST(ProgramChecksum, SingleWordsFromHandShiftedRegisters) {
    struct Case {
        std::uint16_t initial;
        std::uint16_t word;
        std::uint16_t expected;
    };
    // Worked as polynomials modulo x^16 + x^15 + x^2 + 1: the word 0x0001 leaves x^16, which
    // reduces to 0x8005; the word 0x0100 leaves x^24, which reduces to
    // x^15 + x^10 + x^9 + x + 1 = 0x8603. A 16-bit word fed to register r leaves
    // (r xor word) * x^16 reduced, so 0xFFFF fed to 0xFFFF leaves 0.
    const Case cases[] = {
        {0x0000, 0x0000, 0x0000},
        {0x0000, 0x0001, 0x8005},
        {0x0000, 0x0100, 0x8603},
        {0xFFFF, 0xFFFF, 0x0000},
    };
    for (const Case& c : cases) {
        ProgramChecksum crc(c.initial);
        crc.feedWord(c.word);
        EXPECT_EQ(crc.value(), c.expected) << std::hex << c.word;
    }
}

TEST(ProgramChecksum, WordIsFedHighByteFirst) {
    ProgramChecksum words(0x1D0F);
    words.feedWord(0x3132);
    ProgramChecksum bytes(0x1D0F);
    bytes.feedByte(0x31);
    bytes.feedByte(0x32);
    EXPECT_EQ(words.value(), bytes.value());
    ProgramChecksum swapped(0x1D0F);
    swapped.feedWord(0x3231);
    EXPECT_NE(words.value(), swapped.value());
}

// Bit by bit, shifting each data bit into the register: independent of the lookup tables.
std::uint16_t bitwiseReference(std::uint16_t crc, const std::vector<std::uint8_t>& bytes,
                               std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        for (int bit = 7; bit >= 0; --bit) {
            const bool top = ((crc >> 15) ^ (bytes[i] >> bit)) & 1;
            crc = static_cast<std::uint16_t>(crc << 1);
            if (top) {
                crc ^= 0x8005;
            }
        }
    }
    return crc;
}

TEST(ProgramChecksum, RunsOfWordsMatchTheBitwiseRemainder) {
    std::mt19937 random(1663);
    std::vector<std::uint8_t> bytes(65536);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    // Lengths around the eight-byte step, and a lone last byte that is left out.
    const std::size_t lengths[] = {0, 2, 6, 8, 10, 16, 22, 1196, 65536, 9, 65535};
    const std::uint16_t initials[] = {0x0000, 0xFFFF, 0x1D0F};
    for (const std::size_t length : lengths) {
        for (const std::uint16_t initial : initials) {
            ProgramChecksum crc(initial);
            crc.feedWords(std::span(bytes).first(length));
            EXPECT_EQ(crc.value(), bitwiseReference(initial, bytes, length & ~std::size_t{1}))
                << "length " << length << " from " << std::hex << initial;
        }
    }
}

TEST(ProgramChecksum, StartsFromTheChosenValue) {
    EXPECT_EQ(ProgramChecksum(0xFFFF).value(), 0xFFFF);
    ProgramChecksum crc(0xFFFF);
    crc.reset(0x1234);
    EXPECT_EQ(crc.value(), 0x1234);
}

}  // namespace
}  // namespace vexlor
