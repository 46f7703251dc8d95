#include <gtest/gtest.h>

#include "core/chipdb/ParseHexText.h"

namespace vexlor {
namespace {

// The text continues the destination's value, which starts at 0 unless given.
TEST(ParseHexText, ConvertsOnFromTheDestinationValue) {
    const auto check = [&](const char* text, std::uint32_t expected, std::uint32_t start = 0) {
        std::uint32_t value = start;
        ParseHexText(text, value);
        EXPECT_EQ(value, expected) << '"' << text << '"';
    };
    check("0x1F", 31);
    check("1F", 31);
    check("1f", 31);
    check("0X1f", 31);
    // The blank adds nothing but still shifts: 1, 0, F.
    check("1 F", 0x10F);
    // Nine digits: the leading 1 is shifted out of 32 bits.
    check("123456789", 0x23456789);
    check("FFFFFFFF", 0xFFFFFFFF);
    // Letters beyond F count on: G is 16, Z is 35 (1*256 + 0*16 + 35).
    check("G", 16);
    check("z", 35);
    check("10Z", 291);
    // Only the first two characters go, wherever "0x" stands: "x1" remains, x = 33.
    check("x0x1", 33 * 16 + 1);
    // "1F" is dropped, "0x" remains: 0, then x = 33.
    check("1F0x", 33);
    check("-5", 5);
    check("", 0);
    check("0x", 0);
    check("34", 0x1234, 0x12);
    check("", 0x1234, 0x1234);
    check("0xAB", 0x1234AB, 0x1234);
}

}  // namespace
}  // namespace vexlor
