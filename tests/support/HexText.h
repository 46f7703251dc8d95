#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/base/Diagnostics.h"

namespace vexlor::test {

using HexSegment = std::pair<std::size_t, std::vector<std::uint8_t>>;

// Intel HEX text: data records of up to 16 bytes for each segment (address, bytes), then the
// end record.
inline std::string hexText(const std::vector<HexSegment>& segments) {
    std::string text;
    for (const auto& [address, bytes] : segments) {
        for (std::size_t at = 0; at < bytes.size(); at += 16) {
            const std::size_t count = std::min<std::size_t>(16, bytes.size() - at);
            const std::size_t place = address + at;
            unsigned sum = static_cast<unsigned>(count + ((place >> 8) & 0xFF) + (place & 0xFF));
            text += format(":%02X%04X00", static_cast<unsigned>(count),
                           static_cast<unsigned>(place & 0xFFFF));
            for (std::size_t i = 0; i < count; ++i) {
                text += format("%02X", bytes[at + i]);
                sum += bytes[at + i];
            }
            text += format("%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        }
    }
    return text + ":00000001FF\n";
}

// The bytes as one segment from address 0.
inline std::string hexText(const std::vector<std::uint8_t>& bytes) {
    return hexText(std::vector<HexSegment>{{0, bytes}});
}

// A whole QN3244 program image: 14-bit words with their low bytes counting up, and the
// chip's identification word at 0x1FFC.
inline std::vector<std::uint8_t> qn3244Image() {
    std::vector<std::uint8_t> image(0x1FFE, 0x3F);
    for (std::size_t i = 0; i < image.size(); i += 2) {
        image[i] = static_cast<std::uint8_t>(i);
    }
    image[0x1FFC] = 0x55;
    image[0x1FFD] = 0x03;
    return image;
}

}  // namespace vexlor::test
