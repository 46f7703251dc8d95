#include "core/base/ScanHex.h"

#include <gtest/gtest.h>

#include <limits>

namespace vexlor {
namespace {

// Typed addresses and serial-number fields are read as scanf reads "%x".
TEST(ScanHex, ReadsLikeScanfHex) {
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    const struct {
        const char* text;
        std::optional<std::uint64_t> value;
    } cases[] = {
        {"00000", 0},
        {"1f", 31},
        {"  1F zz", 31},
        {"0x10", 16},
        {"0X3e8", 1000},
        {"+20", 32},
        {"7fffffff", 0x7FFFFFFF},
        {"0xg", 0},
        {"12g4", 0x12},
        {"ffffffffffffffffff", kMax},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"zz", std::nullopt},
        {"-5", std::nullopt},
        {"0x", 0},
        {" \t\n1fE0", 0x1FE0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScanHex(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace vexlor
