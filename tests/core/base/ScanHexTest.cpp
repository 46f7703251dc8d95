#include "core/base/ScanHex.h"

#include <gtest/gtest.h>

#include <limits>

namespace vexlor {
namespace {

// Typed addresses and serial-number fields are read as scanf reads "%x".
TEST(ScanHex, ReadsLikeScanfHex) {
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    const auto check = [&](const char* text, const std::optional<std::uint64_t>& value) {
        EXPECT_EQ(ScanHex(text), value) << '"' << text << '"';
    };
    check("00000", 0);
    check("1f", 31);
    check("  1F zz", 31);
    check("0x10", 16);
    check("0X3e8", 1000);
    check("+20", 32);
    check("7fffffff", 0x7FFFFFFF);
    check("0xg", 0);
    check("12g4", 0x12);
    check("ffffffffffffffffff", kMax);
    check("", std::nullopt);
    check("   ", std::nullopt);
    check("zz", std::nullopt);
    check("-5", std::nullopt);
    check("0x", 0);
    check(" \t\n1fE0", 0x1FE0);
}

}  // namespace
}  // namespace vexlor
