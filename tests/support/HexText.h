#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Diagnostics.h"

namespace vexlor::test {

// Intel HEX text: data records of up to 16 bytes from address 0, then the end record.
inline std::string hexText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        const std::size_t count = std::min<std::size_t>(16, bytes.size() - at);
        unsigned sum = static_cast<unsigned>(count + (at >> 8) + (at & 0xFF));
        text += format(":%02X%04X00", static_cast<unsigned>(count), static_cast<unsigned>(at));
        for (std::size_t i = 0; i < count; ++i) {
            text += format("%02X", bytes[at + i]);
            sum += bytes[at + i];
        }
        text += format("%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    }
    return text + ":00000001FF\n";
}

}  // namespace vexlor::test
