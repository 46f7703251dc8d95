#pragma once

#include <array>
#include <cstdint>

namespace vexlor {

namespace hex_digit_detail {
constexpr std::array<std::int8_t, 256> makeValues() {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) {
        values['0' + i] = static_cast<std::int8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        values['A' + i] = values['a' + i] = static_cast<std::int8_t>(10 + i);
    }
    return values;
}
inline constexpr std::array<std::int8_t, 256> kValues = makeValues();
}  // namespace hex_digit_detail

// 0-15 for a hexadecimal digit of either case, -1 for any other character. By table: HEX
// files are decoded digit by digit, and on data the branches mispredicted half the time.
constexpr int HexDigitValue(char c) {
    return hex_digit_detail::kValues[static_cast<unsigned char>(c)];
}

}  // namespace vexlor
