#include "core/chipdb/ParseHexText.h"

namespace vexlor {

namespace {
std::uint32_t digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint32_t>(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint32_t>(c - 'A') + 10u;
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<std::uint32_t>(c - 'a') + 10u;
    }
    return 0;
}
}  // namespace

void ParseHexText(std::string_view text, std::uint32_t& destination) {
    if (text.find("0x") != std::string_view::npos || text.find("0X") != std::string_view::npos) {
        text.remove_prefix(2);
    }
    for (char c : text) {
        destination = destination * 16u + digitValue(c);
    }
}

}  // namespace vexlor
