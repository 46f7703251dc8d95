#include "core/base/TextConv.h"

#include <clocale>
#include <cstdlib>
#include <string>

namespace vexlor {

namespace {
bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::int32_t atoiText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

float atofText(std::string_view text) {
    const std::string copy(text);
    // Files always write a decimal point; the GUI toolkit switches the process to the
    // operator's locale, where strtod would stop at the point of "5.5" under a decimal comma.
    const locale_t numeric = ::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr)) {
        return static_cast<float>(std::strtod(copy.c_str(), nullptr));
    }
    const double value = ::strtod_l(copy.c_str(), nullptr, numeric);
    ::freelocale(numeric);
    return static_cast<float>(value);
}

}  // namespace vexlor
