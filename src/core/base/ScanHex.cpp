#include "core/base/ScanHex.h"

#include <limits>

#include "core/base/HexDigit.h"

namespace vexlor {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<std::uint64_t> ScanHex(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    // "0x" is a prefix only when a digit follows; "0xg" reads as 0.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigitValue(text[i + 2]) >= 0) {
        i += 2;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::optional<std::uint64_t> value;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        const std::uint64_t current = value.value_or(0);
        value = current > (kMax >> 4)
                    ? kMax
                    : (current << 4) | static_cast<std::uint64_t>(HexDigitValue(text[i]));
    }
    return value;
}

}  // namespace vexlor
