#include "core/serial/SerialNumber.h"

#include "core/base/HexDigit.h"

namespace vexlor {

namespace {

constexpr std::size_t kMaxDigits = 32;

}  // namespace

std::optional<SerialNumber> SerialNumber::FromHex(std::string_view text) {
    unsigned __int128 value = 0;
    std::size_t significant = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        if (significant > 0 || digit != 0) {
            ++significant;
        }
        if (significant > kMaxDigits) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<unsigned>(digit);
    }
    return SerialNumber(value);
}

std::string SerialNumber::ToHex() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    unsigned __int128 rest = value_;
    do {
        text.insert(text.begin(), kDigits[static_cast<unsigned>(rest & 0xF)]);
        rest >>= 4;
    } while (rest != 0);
    return text;
}

}  // namespace vexlor
