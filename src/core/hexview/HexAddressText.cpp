#include "core/hexview/HexAddressText.h"

#include <limits>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<std::uint64_t> scanHexAddress(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    // "0x" is a prefix only when a digit follows; "0xg" reads as 0.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        hexValue(text[i + 2]) >= 0) {
        i += 2;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::optional<std::uint64_t> value;
    for (; i < text.size() && hexValue(text[i]) >= 0; ++i) {
        const std::uint64_t current = value.value_or(0);
        value = current > (kMax >> 4)
                    ? kMax
                    : (current << 4) | static_cast<std::uint64_t>(hexValue(text[i]));
    }
    return value;
}

std::string rowLengthProfileSection(int parentControlId) {
    return format("%s-SCBar-%d", "Application state\\Dockbar\\", parentControlId);
}

}  // namespace vexlor
