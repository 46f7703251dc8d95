#include <gtest/gtest.h>

#include "core/chipdb/ParseHexText.h"

namespace vexlor {
namespace {

TEST(ParseHexText, ConvertsFromZero) {
    struct Case {
        const char* text;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"0x1F", 31},
        {"1F", 31},
        {"1f", 31},
        {"0X1f", 31},
        // The blank adds nothing but still shifts: 1, 0, F.
        {"1 F", 0x10F},
        // Nine digits: the leading 1 is shifted out of 32 bits.
        {"123456789", 0x23456789},
        {"FFFFFFFF", 0xFFFFFFFF},
        // Letters beyond F count on: G is 16, Z is 35 (1*256 + 0*16 + 35).
        {"G", 16},
        {"z", 35},
        {"10Z", 291},
        // Only the first two characters go, wherever "0x" stands: "x1" remains, x = 33.
        {"x0x1", 33 * 16 + 1},
        // "1F" is dropped, "0x" remains: 0, then x = 33.
        {"1F0x", 33},
        {"-5", 5},
        {"", 0},
        {"0x", 0},
    };
    for (const Case& c : cases) {
        std::uint32_t value = 0;
        ParseHexText(c.text, value);
        EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseHexText, ContinuesFromTheDestinationValue) {
    std::uint32_t value = 0x12;
    ParseHexText("34", value);
    EXPECT_EQ(value, 0x1234u);
    ParseHexText("", value);
    EXPECT_EQ(value, 0x1234u);
    ParseHexText("0xAB", value);
    EXPECT_EQ(value, 0x1234ABu);
}

}  // namespace
}  // namespace vexlor
